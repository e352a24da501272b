#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "schedule/ScheduleTestSupport.h"
#include "notewnd/ScheduleHeader.h"

namespace zavra {
namespace {

using test::FixedOffsetZone;
using test::Scheduled;
using test::Utc;

// "d/m" and "hh:mm" in the zone, so the texts can be predicted.
class PlainFormat final : public OccurrenceFormat {
 public:
  explicit PlainFormat(const LocalTime& zone) : zone_(zone) {}
  std::u16string DateText(int64_t t) const override {
    const LocalFields f = zone_.FieldsOf(t);
    return U16(std::to_string(f.day) + "/" + std::to_string(f.month));
  }
  std::u16string TimeText(int64_t t) const override {
    const LocalFields f = zone_.FieldsOf(t);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", f.secondOfDay / 3600, f.secondOfDay / 60 % 60);
    return U16(buf);
  }
  static std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

 private:
  const LocalTime& zone_;
};

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

class ScheduleHeaderTest : public testing::Test {
 protected:
  FixedOffsetZone zone_{3600};
  PlainFormat format_{zone_};
  ScheduleHeader header_{zone_};
  // A one-off note at 09:00 local on 2026-03-10.
  NOTE_PAD once_ = Scheduled(zone_, 2026, 3, 10, 9 * 3600, kRepeatNone);
  int64_t due_ = Utc(2026, 3, 10, 8);
};

TEST_F(ScheduleHeaderTest, CountsDownBlinksWhenDueAndThenShowsRed) {
  once_.paperColor = 0x00303030;  // mid paper keeps colours untoned
  TimerRequest t = header_.Evaluate(once_, due_ - 90, false, format_);
  EXPECT_EQ(header_.occurrence(), due_);
  EXPECT_EQ(t, (TimerRequest{true, 30000})) << "first tick lands on a whole minute before the time";
  EXPECT_EQ(Narrow(header_.text()), "2m > 09:00");
  EXPECT_EQ(header_.baseColor(), kHeaderBlue);
  EXPECT_EQ(header_.state(), ScheduleHeader::kFirstTick);

  t = header_.OnTimer(once_, due_ - 60, format_);
  EXPECT_EQ(t, (TimerRequest{true, 60000}));
  EXPECT_EQ(header_.state(), ScheduleHeader::kMinuteTicks);
  EXPECT_EQ(Narrow(header_.text()), "1m > 09:00");

  t = header_.OnTimer(once_, due_, format_);
  EXPECT_EQ(t, (TimerRequest{true, 500}));
  EXPECT_EQ(header_.state(), ScheduleHeader::kBlinkFirst);
  EXPECT_EQ(header_.baseColor(), kHeaderBlue) << "blinking is blue";
  // Ten half-second steps: shown in odd states, hidden in even ones.
  for (int state = ScheduleHeader::kBlinkFirst; state < ScheduleHeader::kBlinkLast; ++state) {
    EXPECT_EQ(header_.visible(), (state & 1) != 0) << "state " << state;
    header_.OnTimer(once_, due_ + (state - 2) / 2, format_);
    EXPECT_EQ(header_.state(), state + 1);
  }
  t = header_.OnTimer(once_, due_ + 5, format_);
  EXPECT_EQ(header_.state(), ScheduleHeader::kQuiet);
  EXPECT_EQ(t, (TimerRequest{true, 3600000}));
  EXPECT_EQ(header_.occurrence(), due_) << "a passed one-off stays shown";
  EXPECT_EQ(Narrow(header_.text()), "09:00") << "today's occurrence shows the time alone";
  EXPECT_EQ(header_.baseColor(), kHeaderRed);
  EXPECT_TRUE(header_.visible());
}

TEST_F(ScheduleHeaderTest, ColourByDistance) {
  struct Case {
    int64_t now;
    COLORREF base;
    const char* text;
  };
  const Case cases[] = {
      {due_ - 43201, kHeaderGreen, "10/3 09:00"},  // more than 12 hours away, another day
      {due_ - 43200, kHeaderBlue, "10/3 09:00"},   // exactly 12 hours: near
      {due_ - 3601, kHeaderBlue, "09:00"},         // same day, beyond the countdown
      {due_ - 3600, kHeaderBlue, "60m > 09:00"},   // countdown starts at one hour
      {due_ - 1, kHeaderBlue, "1m > 09:00"},
  };
  for (const Case& c : cases) {
    ScheduleHeader h(zone_);
    h.Evaluate(once_, c.now, false, format_);
    EXPECT_EQ(h.baseColor(), c.base) << "now = due - " << (due_ - c.now);
    EXPECT_EQ(Narrow(h.text()), c.text) << "now = due - " << (due_ - c.now);
  }
  // A past occurrence of a one-off note.
  ScheduleHeader past(zone_);
  past.Evaluate(once_, due_ + 86400 * 2, false, format_);
  EXPECT_EQ(past.baseColor(), kHeaderRed);
  EXPECT_EQ(Narrow(past.text()), "10/3 09:00");
}

TEST_F(ScheduleHeaderTest, TimerIntervals) {
  struct Case {
    int64_t d;  // occurrence - now
    bool forced;
    TimerRequest timer;
    int state;
  };
  const Case cases[] = {
      {7200, false, {true, 3600000}, ScheduleHeader::kQuiet},
      {7199, false, {true, 3599000}, ScheduleHeader::kFirstTick},
      {3601, false, {true, 1000}, ScheduleHeader::kFirstTick},
      {3600, false, {true, 0}, ScheduleHeader::kFirstTick},
      {61, false, {true, 1000}, ScheduleHeader::kFirstTick},
      {0, false, {true, 0}, ScheduleHeader::kFirstTick},
      {-9, false, {true, 0}, ScheduleHeader::kFirstTick},
      {-10, false, {true, 3600000}, ScheduleHeader::kQuiet},
      {0, true, {true, 3600000}, ScheduleHeader::kQuiet},
      {1, true, {true, 1000}, ScheduleHeader::kFirstTick},
  };
  for (const Case& c : cases) {
    ScheduleHeader h(zone_);
    const TimerRequest t = h.Evaluate(once_, due_ - c.d, c.forced, format_);
    EXPECT_EQ(t, c.timer) << "d " << c.d << (c.forced ? " forced" : "") << ": got " << t.milliseconds << " ms";
    EXPECT_EQ(h.state(), c.state) << "d " << c.d;
  }
}

TEST_F(ScheduleHeaderTest, DailyNoteMovesOnWhenTheNextOccurrenceIsNearer) {
  NOTE_PAD daily = Scheduled(zone_, 2026, 3, 1, 9 * 3600, kRepeatDaily);
  header_.Evaluate(daily, due_ + 5, false, format_);
  EXPECT_EQ(header_.occurrence(), due_);
  header_.Evaluate(daily, due_ + 12 * 3600 - 60, false, format_);
  EXPECT_EQ(header_.occurrence(), due_) << "the passed one is still the nearer";
  EXPECT_EQ(header_.baseColor(), kHeaderRed);
  header_.Evaluate(daily, due_ + 12 * 3600 + 60, false, format_);
  EXPECT_EQ(header_.occurrence(), due_ + 86400) << "tomorrow's is now the nearer";
  EXPECT_EQ(header_.baseColor(), kHeaderBlue);
  EXPECT_EQ(Narrow(header_.text()), "11/3 09:00");
}

TEST_F(ScheduleHeaderTest, UnscheduledNoteHasNoHeader) {
  NOTE_PAD plain;
  const TimerRequest t = header_.Evaluate(plain, due_, false, format_);
  EXPECT_FALSE(t.run);
  EXPECT_FALSE(header_.shown());
  EXPECT_FALSE(header_.visible());
  EXPECT_TRUE(header_.text().empty());
}

TEST(ToneToPaper, DimsOnLightAndDarkPaper) {
  struct Case {
    COLORREF paper;
    COLORREF color;
    COLORREF want;
  };
  const Case cases[] = {
      {0x00FFFFFF, 0x000000FF, 0x00000080},  // light: 128/255
      {0x000000C0, 0x0000FF00, 0x00008000},  // largest channel 192: light
      {0x000000BF, 0x0000FF00, 0x0000FF00},  // 191: untouched
      {0x00400000, 0x00FF0000, 0x00FF0000},  // 64: untouched
      {0x003F0000, 0x00FF0000, 0x00C00000},  // 63: dark, 192/255
      {0x00000000, 0x00FFFFFF, 0x00C0C0C0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ToneToPaper(c.color, c.paper), c.want) << std::hex << "paper " << c.paper << " colour " << c.color;
}

}  // namespace
}  // namespace zavra
