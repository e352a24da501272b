// The main window's side of the calendar: one window, raised again at a note; told of saves and
// deletes; freed once it reports its end.
#include "MainWindowFixture.h"
#include "WinTestUtil.h"
#include "schedule/ScheduleWnd_win.h"

namespace zavra::test {
namespace {

class MainWindowCalendar : public MainWindowFixture {
 protected:
  NOTE_PAD Weekly(const char16_t* text, int64_t y, int m, int d) {
    NOTE_PAD n;
    n.text = text;
    n.flags = kNoteOnCalendar | kNoteScheduled | kNoteOpenEnded;
    n.start = n.end = MachineLocalTime().DayStart(DayNumber(y, m, d));
    n.timeFrom = 9 * 3600;
    n.repeatKind = kRepeatWeekly;
    n.repeatParam = static_cast<uint16_t>(1u << WeekdayOfDay(DayNumber(y, m, d)));
    return n;
  }
};

TEST_F(MainWindowCalendar, OneWindowThatFollowsTheNotesAndIsFreedWhenClosed) {
  now_ = MachineLocalTime().DayStart(DayNumber(2026, 3, 15)) + 12 * 3600;
  CMainWnd& main = Start();
  main.OpenCalendar();
  CScheduleWnd* calendar = main.calendar();
  ASSERT_TRUE(calendar && ::IsWindowVisible(*calendar));
  EXPECT_EQ(calendar->month().month, 3);

  NOTE_PAD lesson = Weekly(u"Piano lesson", 2026, 3, 4);
  ASSERT_TRUE(main.store().SaveNote(lesson));
  ASSERT_TRUE(calendar->layout().FindEntry(lesson.id)) << "a saved note reached the calendar";
  main.OpenCalendarWith(&lesson, 0);
  EXPECT_EQ(main.calendar(), calendar) << "raised, not opened twice";
  EXPECT_EQ(calendar->selectedDay(), 18) << "the lesson's next Wednesday";
  ASSERT_TRUE(main.store().DeleteNote(lesson.id));
  EXPECT_FALSE(calendar->layout().FindEntry(lesson.id));

  ::SendMessageW(*calendar, WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return main.calendar() == nullptr; }, 3000)) << "the closed calendar was not freed";
  main.OpenCalendarAt(0);
  EXPECT_TRUE(main.calendar() && main.calendar()->GetSafeHwnd()) << "a new one opens";
}

}  // namespace
}  // namespace zavra::test
