// The main window and the note index: written after saves but never by them, complete at exit,
// and the daily full read in the background, whose findings reach the alarms on this thread.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/MainWindowFixture.h"
#include "store/NoteIndex.h"

namespace zavra {
namespace {

class NoteIndexMain : public test::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    now_ = 1'800'000'000;
    AddCategory(1, u"Unsorted");
  }
  NOTE_PAD Due(int64_t when) {
    NOTE_PAD n;
    n.text = u"due";
    n.flags = kNoteScheduled;
    const LocalFields f = MachineLocalTime().FieldsOf(when);
    n.start = n.end = MachineLocalTime().DayStart(f.dayNumber);
    n.timeFrom = f.secondOfDay;
    return n;
  }
  std::wstring Path(const std::u16string& name) const { return data_ + ToWide(name); }
  // Written days ago, as the files of a folder in use are (or at `when`); returns the time set.
  FILETIME Age(uint32_t id, FILETIME when = {}) {
    FILETIME past = when;
    if (!when.dwHighDateTime) {
      ::GetSystemTimeAsFileTime(&past);
      past.dwHighDateTime -= 400;  // about two days
    }
    FileHandle h(::CreateFileW(Path(StoreFileName(StoreKind::kNote, id)).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(::SetFileTime(h.get(), nullptr, nullptr, &past));
    return past;
  }
};

TEST_F(NoteIndexMain, WrittenAfterSavesNotBySavingAndWholeAtExit) {
  NOTE_PAD a = Due(now_ + 3 * 3600);  // beyond any pre-open: no window saves it at exit
  ASSERT_TRUE(store_->SaveNote(a));
  Age(a.id);
  CMainWnd& main = Start();
  ASSERT_EQ(main.alarms().items().size(), 1u);
  NOTE_PAD b;
  b.text = u"second";
  ASSERT_TRUE(main.store().SaveNote(b));
  EXPECT_EQ(::GetFileAttributesW(Path(kNoteIndexName).c_str()), INVALID_FILE_ATTRIBUTES) << "not on the save path";
  Age(b.id);
  main_.reset();
  std::vector<uint8_t> bytes;
  NoteIndexContent index;
  EXPECT_TRUE(files_.Read(ToU16(data_) + kNoteIndexName, bytes, kMaxNoteIndexBytes)) << "written at exit";
  EXPECT_EQ(ParseNoteIndex(bytes.data(), bytes.size(), index), kFileOk);
  ASSERT_EQ(index.entries.size(), 2u) << "both notes, listed again before the exit's write";
  EXPECT_NE(index.lastFullRead, 0);
}

TEST_F(NoteIndexMain, TheDailyReadFindsAChangeThatKeptSizeAndTime) {
  NOTE_PAD n = Due(now_ + 600);
  ASSERT_TRUE(store_->SaveNote(n));
  const FILETIME written = Age(n.id);
  CMainWnd& main = Start();
  ASSERT_EQ(main.alarms().items().size(), 1u);
  // Another program moves the note by ten minutes and puts the old time back on the file.
  NOTE_PAD moved = Due(now_ + 1200);
  moved.id = n.id;
  moved.created = n.created;
  ASSERT_TRUE(store_->SaveNote(moved));
  Age(n.id, written);
  ASSERT_TRUE(main.StartFullNoteRead());
  EXPECT_FALSE(main.StartFullNoteRead()) << "one at a time";
  ASSERT_TRUE(test::PumpUntil([&] { return !main.FullNoteReadRunning(); }, 20000));
  ASSERT_EQ(main.alarms().items().size(), 1u);
  EXPECT_EQ(main.alarms().items()[0].time, now_ + 1200);
}

}  // namespace
}  // namespace zavra
