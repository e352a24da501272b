// The schedule header in a window: countdown, blinking and colours, driven by a test clock.
#include "NoteWndTestSupport.h"

#include "schedule/LocalTime.h"

namespace zavra {
namespace {

using test::FakeHost;
using test::PlainNote;

// A one-off note at `when` (local time of day on its date).
NOTE_PAD DueAt(int64_t when) {
  const LocalTime& zone = MachineLocalTime();
  const LocalFields f = zone.FieldsOf(when);
  NOTE_PAD note = PlainNote(u"Call back");
  note.flags |= kNoteScheduled | kNoteOpenEnded;
  note.start = zone.DayStart(f.dayNumber);
  note.end = note.start;
  note.timeFrom = f.secondOfDay;
  note.repeatKind = kRepeatNone;
  note.paperColor = 0x00FFFFFF;
  note.flags |= kNoteOwnPaperColor;
  return note;
}

// The header band's pixels of a rendered note.
std::vector<uint32_t> HeaderBand(CNoteWnd& w) {
  const CBkgWnd::Image image = w.RenderToImage();
  std::vector<uint32_t> band;
  for (int y = 0; y < std::min(image.height, 24); ++y)
    for (int x = 0; x < image.width; ++x) band.push_back(image.at(x, y));
  return band;
}

class NoteSchedule : public testing::Test {
 protected:
  FakeHost host;
  // On a minute, so that "due in 90 seconds" has a whole-minute time text.
  int64_t due = (SystemClockSeconds() / 60 + 600) * 60;
  int64_t now = due - 90;
  CNoteWnd::Clock clock = [this] { return now; };
  void Tick(CNoteWnd* w) { ::SendMessageW(*w, WM_TIMER, kScheduleTimer, 0); }
};

TEST_F(NoteSchedule, DueInNinetySecondsCountsDownBlinksAndTurnsRed) {
  CNoteWnd* w = host.Open(DueAt(due), kOpenRestore, 0, clock);
  ASSERT_TRUE(w);
  const std::u16string time = LocaleOccurrenceFormat().TimeText(due);
  EXPECT_EQ(w->header().occurrence(), due);
  EXPECT_EQ(test::FakeHost::Narrow(w->header().text()), "2m > " + test::FakeHost::Narrow(time));
  EXPECT_EQ(w->scheduleInterval(), 30000) << "the first tick comes on the minute";
  EXPECT_EQ(w->header().color(), ToneToPaper(kHeaderBlue, 0x00FFFFFF));

  now = due - 60;
  Tick(w);
  EXPECT_EQ(w->scheduleInterval(), 60000);
  EXPECT_EQ(test::FakeHost::Narrow(w->header().text()), "1m > " + test::FakeHost::Narrow(time));

  now = due;
  Tick(w);
  EXPECT_EQ(w->header().state(), ScheduleHeader::kBlinkFirst);
  EXPECT_EQ(w->scheduleInterval(), 500);
  const std::vector<uint32_t> shown = HeaderBand(*w);
  Tick(w);
  EXPECT_FALSE(w->header().visible());
  EXPECT_NE(HeaderBand(*w), shown) << "the header disappears while blinking";
  Tick(w);
  EXPECT_EQ(HeaderBand(*w), shown) << "and comes back";
  for (int i = 0; i < 7; ++i) Tick(w);
  EXPECT_EQ(w->header().state(), ScheduleHeader::kBlinkLast);
  now = due + 5;
  Tick(w);
  EXPECT_EQ(w->header().state(), ScheduleHeader::kQuiet);
  EXPECT_EQ(w->scheduleInterval(), 3600000);
  EXPECT_EQ(w->header().baseColor(), kHeaderRed);
  EXPECT_EQ(w->header().color(), ToneToPaper(kHeaderRed, 0x00FFFFFF));
  EXPECT_TRUE(w->header().visible());
}

TEST_F(NoteSchedule, HeaderColoursForFarNearAndPast) {
  struct Case {
    int64_t before;  // seconds before the occurrence; negative: after
    COLORREF base;
  };
  const Case cases[] = {{13 * 3600, kHeaderGreen}, {11 * 3600, kHeaderBlue}, {-3600, kHeaderRed}};
  for (const Case& c : cases) {
    now = due - c.before;
    CNoteWnd* w = host.Open(DueAt(due), kOpenRestore, 0, clock);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->header().baseColor(), c.base) << c.before << " s before";
    EXPECT_EQ(w->header().color(), ToneToPaper(c.base, 0x00FFFFFF)) << "toned to white paper";
    ::DestroyWindow(*w);
  }
}

TEST_F(NoteSchedule, DayChangeRecomputesAndAnUnscheduledNoteHasNoTimer) {
  now = due - 13 * 3600;
  CNoteWnd* w = host.Open(DueAt(due), kOpenRestore, 0, clock);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->header().baseColor(), kHeaderGreen);
  now = due - 3 * 3600;
  ::SendMessageW(*w, WM_NOTE_NOTIFY, kNotifyDayChanged, 0);
  EXPECT_EQ(w->header().baseColor(), kHeaderBlue);

  CNoteWnd* plain = host.Open(PlainNote(u"No schedule"), kOpenRestore, 0, clock);
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->header().shown());
  EXPECT_EQ(plain->scheduleInterval(), -1);
}

TEST_F(NoteSchedule, AlarmTipShowsAndGoesOnAButtonPress) {
  CNoteWnd* w = host.Open(DueAt(due), kOpenAlarm, 0, clock);
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->state() & kStateAlarm) << "alarm mode marks the window";
  ::SendMessageW(*w, WM_NOTE_NOTIFY, kNotifyAlarmFired, 0);
  HWND tip = w->alarmTip();
  ASSERT_TRUE(tip);
  wchar_t cls[64] = {};
  ::GetClassNameW(tip, cls, 64);
  EXPECT_STREQ(cls, L"tooltips_class32");
  EXPECT_EQ(::GetWindow(tip, GW_OWNER), w->GetSafeHwnd());
  EXPECT_TRUE(::GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON);
  ::SendMessageW(*w, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
  EXPECT_FALSE(w->alarmTip());
  EXPECT_FALSE(::IsWindow(tip));

  host.tip.show = false;
  ::SendMessageW(*w, WM_NOTE_NOTIFY, kNotifyAlarmFired, 0);
  EXPECT_FALSE(w->alarmTip()) << "\"NoteTip\" off shows nothing";
}

}  // namespace
}  // namespace zavra
