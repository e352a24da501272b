// Portable note files and "note:" links on the real program's command line.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "store/NoteFile.h"
#include "store/StoreWin.h"

namespace zavra::test {
namespace {

class ImportEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    StartFromUnsortedOnly();
    store_ = std::make_unique<NoteStore>(files_, registry_, ToU16(DataDir()));
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"path with blanks\\";
    ::CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override { StopResidentCopy(); }

  std::wstring WritePortable(const wchar_t* name, const NOTE_PAD& note, size_t cut = 0) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(SerializeNote(note, bytes));
    if (cut) bytes.resize(bytes.size() - cut);
    const std::wstring path = folder_ + name;
    FileHandle f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD n = 0;
    ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    return path;
  }
  std::vector<NOTE_PAD> Notes() {
    std::vector<NOTE_PAD> notes;
    store_->ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) { notes.push_back(n); });
    return notes;
  }
  std::vector<NOTE_PAD> WaitForNotes(size_t count) {
    std::vector<NOTE_PAD> notes;
    PumpUntil([&] { return (notes = Notes()).size() >= count; }, 10000);
    return notes;
  }
  // Runs the program with `args` as a second copy, so the line travels through the pipe.
  void Send(const std::wstring& args) {
    Process p = Process::Start(BinDir() + L"notezavra.exe", args);
    EXPECT_EQ(p.Wait(10000), 0);
  }

  std::wstring folder_;
  Win32FileSystem files_;
  Win32Registry registry_;
  std::unique_ptr<NoteStore> store_;
};

TEST_F(ImportEndToEnd, QuotedAndUnquotedPathsImportTheSameFile) {
  NOTE_PAD source;
  source.id = 4711;
  source.text = u"imported text";
  source.category = 77;
  source.flags = 0x1009;  // calendar, launch link, no sound
  source.sound = u"C:\\bell.wav";
  const std::wstring path = WritePortable(L"x.zpn", source);

  Process main = Process::Start(BinDir() + L"notezavra.exe", L"\"" + path + L"\"");
  ASSERT_TRUE(WaitForMainWindow());
  auto notes = WaitForNotes(1);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].text, u"imported text");
  EXPECT_EQ(notes[0].category, 1);
  EXPECT_EQ(notes[0].flags, 0x0001u) << "a portable import keeps only the look and schedule flags";
  EXPECT_TRUE(notes[0].sound.empty());
  EXPECT_NE(notes[0].id, 4711u);

  Send(path);  // unquoted: the argument runs to the end of the line, blanks included
  notes = WaitForNotes(2);
  EXPECT_EQ(notes.size(), 2u);
}

TEST_F(ImportEndToEnd, DamagedFilesAndForeignLinksDoNothing) {
  NOTE_PAD source;
  source.text = u"will be cut";
  const std::wstring damaged = WritePortable(L"damaged.zpn", source, 3);
  Process main = Process::Start(BinDir() + L"notezavra.exe", L"");
  HWND mainWindow = WaitForMainWindow();
  ASSERT_TRUE(mainWindow);
  for (const wchar_t* args : {L"note:0", L"note:abc", L"NOTE:5", L"note:99"}) Send(args);
  Send(L"\"" + damaged + L"\"");
  Pump(500);
  EXPECT_TRUE(Notes().empty());
  EXPECT_TRUE(main.running());
  // No message about the damaged file.
  DWORD pid = 0;
  ::GetWindowThreadProcessId(mainWindow, &pid);
  HWND box = nullptr;
  bool shown = false;
  while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr))) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(box, &owner);
    shown = shown || (owner == pid && ::IsWindowVisible(box));
  }
  EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace zavra::test
