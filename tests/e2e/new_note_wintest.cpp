// New notes through the launcher and a second copy, against the real resident program.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "store/StoreWin.h"
#include <algorithm>

namespace zavra::test {
namespace {

class NewNoteEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    StopResidentCopy();
    ResetUserState();
    ::CreateDirectoryW(DataDir().c_str(), nullptr);
    store_ = std::make_unique<NoteStore>(files_, registry_, ToU16(DataDir()));
    for (auto [id, name] : {std::pair<uint32_t, const char16_t*>{1, u"Unsorted"}, {5, u"Five"}}) {
      NOTE_CATE c;
      c.id = id;
      c.name = name;
      ASSERT_TRUE(store_->SaveCategory(c, false));
    }
    }
  void StartResident() {
    main_ = Process::Start(BinDir() + L"notezavra.exe", L"");
    ASSERT_TRUE(WaitForMainWindow());
  }
  void TearDown() override { StopResidentCopy(); }

  std::vector<NOTE_PAD> WaitForNotes(size_t count) {
    std::vector<NOTE_PAD> notes;
    PumpUntil(
        [&] {
          notes.clear();
          store_->ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) { notes.push_back(n); });
          return notes.size() >= count;
        },
        10000);
    return notes;
  }

  Win32FileSystem files_;
  Win32Registry registry_;
  std::unique_ptr<NoteStore> store_;
  Process main_;
};

TEST_F(NewNoteEndToEnd, LauncherCreatesANoteInTheNamedCategory) {
  StartResident();
  Process launcher = Process::Start(BinDir() + L"ZavraL.exe", L"/n5 Buy milk");
  EXPECT_EQ(launcher.Wait(5000), 0);
  const auto notes = WaitForNotes(1);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].text, u"Buy milk");
  EXPECT_EQ(notes[0].category, 5);
}

TEST_F(NewNoteEndToEnd, UnknownCategoryLandsInUnsorted) {
  StartResident();
  Process launcher = Process::Start(BinDir() + L"ZavraL.exe", L"/n9 Nine");
  EXPECT_EQ(launcher.Wait(5000), 0);
  const auto notes = WaitForNotes(1);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].text, u"Nine");
  EXPECT_EQ(notes[0].category, 1);
}

TEST_F(NewNoteEndToEnd, SecondCopyCreatesItThroughThePipe) {
  StartResident();
  Process second = Process::Start(BinDir() + L"notezavra.exe", L"/n5 From the second copy");
  EXPECT_EQ(second.Wait(5000), 0);
  const auto notes = WaitForNotes(1);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].text, u"From the second copy");
  EXPECT_EQ(notes[0].category, 5);
  EXPECT_TRUE(main_.running());
}

// Commands given while the resident copy is still starting (its mutex taken, its window or
// its pipe not there yet) wait for it instead of being lost.
TEST_F(NewNoteEndToEnd, CommandsDuringStartUpAreNotLost) {
  main_ = Process::Start(BinDir() + L"notezavra.exe", L"");
  Process second = Process::Start(BinDir() + L"notezavra.exe", L"/n5 From the second copy");
  Process launcher = Process::Start(BinDir() + L"ZavraL.exe", L"/n5 From the launcher");
  EXPECT_EQ(launcher.Wait(15000), 0);
  auto notes = WaitForNotes(2);
  ASSERT_EQ(notes.size(), 2u);
  std::vector<std::u16string> texts{notes[0].text, notes[1].text};
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"From the launcher", u"From the second copy"}));
  // Any of the copies may win the start (the launcher starts one of its own when it finds
  // no window yet); the others forward and end.
  auto residentWindows = [] {
    int count = 0;
    ::EnumWindows(
        [](HWND w, LPARAM counter) {
          wchar_t title[64] = {};
          ::GetWindowTextW(w, title, 64);
          if (std::wstring(title) == L"Qel note ZaVRA") ++*reinterpret_cast<int*>(counter);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
  };
  EXPECT_EQ(residentWindows(), 1) << "exactly one copy stays resident";
}

}  // namespace
}  // namespace zavra::test
