// A reminder missed while the program was closed fires at its next start (real program).
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/Settings.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "schedule/LocalTime.h"
#include "store/StoreWin.h"
#include <ctime>

namespace zavra::test {
namespace {

TEST(AlarmsEndToEnd, NoteDueAfterClosingFiresAtTheNextStart) {
  StartFromUnsortedOnly();
  Win32FileSystem files;
  Win32Registry registry;
  NoteStore store(files, registry, ToU16(DataDir()));

  // Closed two minutes ago; the note was due one minute after that. Holding keeps the fired note
  // in the held list, which the program writes when it ends.
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  const int64_t closed = now - 120;
  NOTE_PAD note;
  note.text = u"missed";
  note.flags = kNoteScheduled;
  const LocalFields due = MachineLocalTime().FieldsOf(closed + 60);
  note.start = MachineLocalTime().DayStart(due.dayNumber);
  note.end = note.start;
  note.timeFrom = due.secondOfDay;
  ASSERT_TRUE(store.SaveNote(note));
  auto key = registry.OpenSettingsKey();
  key->SetQword(u"TimeClosed", static_cast<uint64_t>(closed + 1));
  key->SetDword(u"Hold", 1);

  Process main = Process::Start(BinDir() + L"notezavra.exe", L"");
  ASSERT_TRUE(WaitForMainWindow());
  Pump(500);
  StopResidentCopy();
  Settings s;
  SavedState state;
  LoadSettings(registry.OpenSettingsKey().get(), RECT32{0, 0, 800, 600}, s, state);
  EXPECT_EQ(state.held, std::vector<uint32_t>{note.id});
  EXPECT_GE(state.timeClosed, now) << "the exit wrote its closing time again";
}

}  // namespace
}  // namespace zavra::test
