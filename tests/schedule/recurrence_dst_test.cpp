// Real time zones: occurrences keep their wall-clock time on and around daylight-saving changes.
// Expected instants are written in UTC from the zones' published rules for 2026:
//   America/New_York  EST -5 / EDT -4, forward 2026-03-08 02:00 -> 03:00, back 2026-11-01 02:00 -> 01:00
//   Europe/Berlin     CET +1 / CEST +2, forward 2026-03-29 02:00 -> 03:00, back 2026-10-25 03:00 -> 02:00
//   America/Havana    CST -5 / CDT -4, forward 2026-03-08 00:00 -> 01:00, back 2026-11-01 01:00 -> 00:00
//   Asia/Beirut       EET +2 / EEST +3, forward 2026-03-29 00:00 -> 01:00
#include <gtest/gtest.h>

#include "schedule/Recurrence.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::Scheduled;
using test::Show;
using test::Utc;

constexpr int kHour = 3600;

struct Expectation {
  const char* what;
  int64_t from;      // search window start (forward) / end (backward)
  int64_t expected;  // the occurrence, in UTC
};

void ExpectForward(const NOTE_PAD& note, const LocalTime& zone, const Expectation& e) {
  int64_t t = 0;
  ASSERT_TRUE(NextOccurrence(note, e.from, 0, &t, true, zone)) << e.what;
  EXPECT_EQ(t, e.expected) << e.what << ": got " << Show(t, zone) << ", want " << Show(e.expected, zone);
}

void ExpectBackward(const NOTE_PAD& note, const LocalTime& zone, const Expectation& e) {
  int64_t t = 0;
  ASSERT_TRUE(LastOccurrence(note, 0, e.from, &t, zone)) << e.what;
  EXPECT_EQ(t, e.expected) << e.what << ": got " << Show(t, zone) << ", want " << Show(e.expected, zone);
}

TEST(ScheduleZoneNewYork, LocalTimeAcrossTheChanges) {
  ZAVRA_IN_ZONE("America/New_York");
  const int64_t spring = DayNumber(2026, 3, 8);
  const int64_t autumn = DayNumber(2026, 11, 1);
  EXPECT_EQ(zone.TimeOn(spring, 1 * kHour + 30 * 60), Utc(2026, 3, 8, 6, 30));
  EXPECT_EQ(zone.TimeOn(spring, 2 * kHour + 30 * 60), Utc(2026, 3, 8, 7, 30)) << "inside the gap: 03:30 EDT";
  EXPECT_EQ(zone.TimeOn(spring, 2 * kHour), Utc(2026, 3, 8, 7, 0)) << "the first second of the gap: 03:00 EDT";
  EXPECT_EQ(zone.TimeOn(spring, 3 * kHour), Utc(2026, 3, 8, 7, 0));
  EXPECT_EQ(zone.TimeOn(autumn, 1 * kHour + 30 * 60), Utc(2026, 11, 1, 5, 30)) << "twice: the first, EDT";
  EXPECT_EQ(zone.TimeOn(autumn, 2 * kHour), Utc(2026, 11, 1, 7, 0));
  EXPECT_EQ(zone.DayStart(spring), Utc(2026, 3, 8, 5));
  EXPECT_EQ(zone.DayStart(autumn + 1), Utc(2026, 11, 2, 5));
  const LocalFields f = zone.FieldsOf(Utc(2026, 11, 1, 6, 30));
  EXPECT_EQ(f.secondOfDay, 1 * kHour + 30 * 60) << "second 01:30 reads 01:30";
  EXPECT_EQ(f.day, 1);
  EXPECT_EQ(zone.DayStartAfter(Utc(2026, 3, 7, 17), 1), Utc(2026, 3, 8, 5));
  EXPECT_EQ(zone.DayStartAfter(Utc(2026, 3, 7, 17), 2), Utc(2026, 3, 9, 4));
}

TEST(ScheduleZoneNewYork, DailyNineOClockStaysAtNine) {
  ZAVRA_IN_ZONE("America/New_York");
  const NOTE_PAD note = Scheduled(zone, 2026, 3, 1, 9 * kHour, kRepeatDaily);
  const Expectation forward[] = {
      {"computed the day before the spring change", Utc(2026, 3, 7, 20), Utc(2026, 3, 8, 13)},
      {"change day, before the change hour", Utc(2026, 3, 8, 6, 30), Utc(2026, 3, 8, 13)},
      {"change day, after the change hour", Utc(2026, 3, 8, 7, 30), Utc(2026, 3, 8, 13)},
      {"change day, 08:30 EDT", Utc(2026, 3, 8, 12, 30), Utc(2026, 3, 8, 13)},
      {"change day, 09:30 EDT is after the occurrence", Utc(2026, 3, 8, 13, 30), Utc(2026, 3, 9, 13)},
      {"the day after", Utc(2026, 3, 9, 5), Utc(2026, 3, 9, 13)},
      {"autumn change day, 00:30 EDT", Utc(2026, 11, 1, 4, 30), Utc(2026, 11, 1, 14)},
      {"autumn change day, second 01:30", Utc(2026, 11, 1, 6, 30), Utc(2026, 11, 1, 14)},
      {"autumn change day, 08:30 EST", Utc(2026, 11, 1, 13, 30), Utc(2026, 11, 1, 14)},
      {"autumn change day, 09:30 EST", Utc(2026, 11, 1, 14, 30), Utc(2026, 11, 2, 14)},
  };
  for (const Expectation& e : forward) ExpectForward(note, zone, e);
  const Expectation backward[] = {
      {"spring change day, 08:30 EDT", Utc(2026, 3, 8, 12, 30), Utc(2026, 3, 7, 14)},
      {"spring change day, 09:00 EDT", Utc(2026, 3, 8, 13), Utc(2026, 3, 8, 13)},
      {"autumn change day, 08:30 EST", Utc(2026, 11, 1, 13, 30), Utc(2026, 10, 31, 13)},
      {"autumn change day, 09:00 EST", Utc(2026, 11, 1, 14), Utc(2026, 11, 1, 14)},
      {"the day after autumn, 08:59 EST", Utc(2026, 11, 2, 13, 59), Utc(2026, 11, 1, 14)},
  };
  for (const Expectation& e : backward) ExpectBackward(note, zone, e);
}

TEST(ScheduleZoneNewYork, TimesInsideTheGapOrTheRepeatedHour) {
  ZAVRA_IN_ZONE("America/New_York");
  const NOTE_PAD gap = Scheduled(zone, 2026, 3, 1, 2 * kHour + 30 * 60, kRepeatDaily);
  ExpectForward(gap, zone, {"day before", Utc(2026, 3, 7), Utc(2026, 3, 7, 7, 30)});
  ExpectForward(gap, zone, {"the change day: 03:30 EDT", Utc(2026, 3, 8), Utc(2026, 3, 8, 7, 30)});
  ExpectForward(gap, zone, {"from 03:00 EDT still finds 03:30", Utc(2026, 3, 8, 7), Utc(2026, 3, 8, 7, 30)});
  ExpectForward(gap, zone, {"day after: 02:30 EDT", Utc(2026, 3, 8, 8), Utc(2026, 3, 9, 6, 30)});
  ExpectBackward(gap, zone, {"to at 03:29 EDT", Utc(2026, 3, 8, 7, 29), Utc(2026, 3, 7, 7, 30)});
  ExpectBackward(gap, zone, {"to at 03:30 EDT", Utc(2026, 3, 8, 7, 30), Utc(2026, 3, 8, 7, 30)});

  const NOTE_PAD twice = Scheduled(zone, 2026, 10, 1, 1 * kHour + 30 * 60, kRepeatDaily);
  ExpectForward(twice, zone, {"the first 01:30", Utc(2026, 11, 1), Utc(2026, 11, 1, 5, 30)});
  ExpectForward(twice, zone, {"from the second 01:10: next day", Utc(2026, 11, 1, 6, 10), Utc(2026, 11, 2, 6, 30)});
  ExpectForward(twice, zone, {"from the second 01:30: next day", Utc(2026, 11, 1, 6, 30), Utc(2026, 11, 2, 6, 30)});
  ExpectBackward(twice, zone, {"to at the second 01:10", Utc(2026, 11, 1, 6, 10), Utc(2026, 11, 1, 5, 30)});
}

TEST(ScheduleZoneNewYork, WeeklyAndMonthlyKeepTheirTime) {
  ZAVRA_IN_ZONE("America/New_York");
  // Sundays at 09:00 from Sunday March 1st; both changes fall on Sundays.
  const NOTE_PAD weekly = Scheduled(zone, 2026, 3, 1, 9 * kHour, kRepeatWeekly, 1, 1);
  ExpectForward(weekly, zone, {"spring Sunday", Utc(2026, 3, 2), Utc(2026, 3, 8, 13)});
  ExpectForward(weekly, zone, {"autumn Sunday", Utc(2026, 10, 26), Utc(2026, 11, 1, 14)});
  ExpectBackward(weekly, zone, {"autumn Sunday, 08:59 EST", Utc(2026, 11, 1, 13, 59), Utc(2026, 10, 25, 13)});
  // Day 8 and the 2nd Sunday of every month at 09:00: March 8 is both.
  const NOTE_PAD byDay = Scheduled(zone, 2026, 1, 1, 9 * kHour, kRepeatMonthlyByDay, 1, 8);
  ExpectForward(byDay, zone, {"day 8 of March", Utc(2026, 2, 9), Utc(2026, 3, 8, 13)});
  const NOTE_PAD byWeekday = Scheduled(zone, 2026, 1, 1, 9 * kHour, kRepeatMonthlyByWeekday, 1, 1 << 4 | 0);
  ExpectForward(byWeekday, zone, {"2nd Sunday of March", Utc(2026, 2, 9), Utc(2026, 3, 8, 13)});
  ExpectBackward(byWeekday, zone, {"2nd Sunday of March from below", Utc(2026, 3, 8, 12, 59), Utc(2026, 2, 8, 14)});
  const NOTE_PAD first = Scheduled(zone, 2026, 1, 1, 9 * kHour, kRepeatMonthlyByDay, 1, 1);
  ExpectForward(first, zone, {"November 1st", Utc(2026, 10, 2), Utc(2026, 11, 1, 14)});
  // A series that starts on the change day begins at its wall-clock time.
  const NOTE_PAD starting = Scheduled(zone, 2026, 3, 8, 9 * kHour, kRepeatYearlyByDay, 1, 3 << 8 | 8);
  int64_t t = 0;
  ASSERT_TRUE(NextOccurrence(starting, 0, 0, &t, true, zone));
  EXPECT_EQ(t, Utc(2026, 3, 8, 13)) << Show(t, zone);
}

TEST(ScheduleZoneBerlin, LocalTimeAcrossTheChanges) {
  ZAVRA_IN_ZONE("Europe/Berlin");
  EXPECT_EQ(zone.TimeOn(DayNumber(2026, 3, 29), 2 * kHour + 30 * 60), Utc(2026, 3, 29, 1, 30)) << "03:30 CEST";
  EXPECT_EQ(zone.TimeOn(DayNumber(2026, 10, 25), 2 * kHour + 30 * 60), Utc(2026, 10, 25, 0, 30)) << "first 02:30";
  EXPECT_EQ(zone.DayStart(DayNumber(2026, 3, 29)), Utc(2026, 3, 28, 23));
  EXPECT_EQ(zone.DayStart(DayNumber(2026, 3, 30)), Utc(2026, 3, 29, 22));
}

TEST(ScheduleZoneBerlin, DailyWeeklyMonthlyKeepTheirTime) {
  ZAVRA_IN_ZONE("Europe/Berlin");
  const NOTE_PAD daily = Scheduled(zone, 2026, 3, 1, 9 * kHour, kRepeatDaily);
  const Expectation forward[] = {
      {"the day before spring", Utc(2026, 3, 28, 12), Utc(2026, 3, 29, 7)},
      {"spring change day before 02:00", Utc(2026, 3, 29, 0, 30), Utc(2026, 3, 29, 7)},
      {"spring change day after 03:00", Utc(2026, 3, 29, 1, 30), Utc(2026, 3, 29, 7)},
      {"spring change day 09:30 CEST", Utc(2026, 3, 29, 7, 30), Utc(2026, 3, 30, 7)},
      {"autumn change day, first 02:30", Utc(2026, 10, 25, 0, 30), Utc(2026, 10, 25, 8)},
      {"autumn change day 08:30 CET", Utc(2026, 10, 25, 7, 30), Utc(2026, 10, 25, 8)},
  };
  for (const Expectation& e : forward) ExpectForward(daily, zone, e);
  ExpectBackward(daily, zone, {"autumn 08:30 CET", Utc(2026, 10, 25, 7, 30), Utc(2026, 10, 24, 7)});
  ExpectBackward(daily, zone, {"spring 08:30 CEST", Utc(2026, 3, 29, 6, 30), Utc(2026, 3, 28, 8)});

  const NOTE_PAD gap = Scheduled(zone, 2026, 3, 1, 2 * kHour + 30 * 60, kRepeatWeekly, 1, 1);
  ExpectForward(gap, zone, {"Sunday in the gap: 03:30 CEST", Utc(2026, 3, 23), Utc(2026, 3, 29, 1, 30)});
  const NOTE_PAD twice = Scheduled(zone, 2026, 1, 25, 2 * kHour + 30 * 60, kRepeatMonthlyByDay, 1, 25);
  ExpectForward(twice, zone, {"the 25th in the repeated hour: the first", Utc(2026, 10, 1), Utc(2026, 10, 25, 0, 30)});
  ExpectForward(twice, zone, {"from the second 02:30", Utc(2026, 10, 25, 1, 30), Utc(2026, 11, 25, 1, 30)});
  const NOTE_PAD lastSunday = Scheduled(zone, 2026, 1, 1, 9 * kHour, kRepeatMonthlyByWeekday, 1, 4 << 4 | 0);
  ExpectForward(lastSunday, zone, {"last Sunday of March", Utc(2026, 3, 2), Utc(2026, 3, 29, 7)});
  ExpectForward(lastSunday, zone, {"last Sunday of October", Utc(2026, 10, 2), Utc(2026, 10, 25, 8)});
}

TEST(ScheduleZoneHavana, MidnightThatDoesNotExistStartsTheDayAtOne) {
  ZAVRA_IN_ZONE("America/Havana");
  const int64_t spring = DayNumber(2026, 3, 8);
  EXPECT_EQ(zone.DayStart(spring), Utc(2026, 3, 8, 5)) << "01:00 CDT is the first valid local time";
  EXPECT_EQ(zone.FieldsOf(zone.DayStart(spring)).day, 8);
  EXPECT_EQ(zone.DayStartAfter(Utc(2026, 3, 7, 17), 1), Utc(2026, 3, 8, 5));
  EXPECT_EQ(zone.DayStart(DayNumber(2026, 11, 1)), Utc(2026, 11, 1, 4)) << "midnight twice: the first";
  EXPECT_EQ(zone.DayStart(DayNumber(2026, 11, 2)), Utc(2026, 11, 2, 5));
  const NOTE_PAD midnight = Scheduled(zone, 2026, 3, 1, 0, kRepeatDaily);
  ExpectForward(midnight, zone, {"midnight on the change day", Utc(2026, 3, 7, 6), Utc(2026, 3, 8, 5)});
  ExpectForward(midnight, zone, {"the day after", Utc(2026, 3, 8, 6), Utc(2026, 3, 9, 4)});
  const NOTE_PAD halfPast = Scheduled(zone, 2026, 3, 1, 30 * 60, kRepeatDaily);
  ExpectForward(halfPast, zone, {"00:30 becomes 01:30 CDT", Utc(2026, 3, 7, 6), Utc(2026, 3, 8, 5, 30)});
  const NOTE_PAD nine = Scheduled(zone, 2026, 3, 8, 9 * kHour, kRepeatNone);
  int64_t t = 0;
  ASSERT_TRUE(NextOccurrence(nine, 0, 0, &t, true, zone));
  EXPECT_EQ(t, Utc(2026, 3, 8, 13)) << "a note starting on the change day keeps 09:00: " << Show(t, zone);
}

TEST(ScheduleZoneBeirut, MidnightThatDoesNotExistStartsTheDayAtOne) {
  ZAVRA_IN_ZONE("Asia/Beirut");
  EXPECT_EQ(zone.DayStart(DayNumber(2026, 3, 29)), Utc(2026, 3, 28, 22)) << "01:00 EEST";
  EXPECT_EQ(zone.DayStart(DayNumber(2026, 3, 28)), Utc(2026, 3, 27, 22));
  const NOTE_PAD weekly = Scheduled(zone, 2026, 3, 1, 9 * kHour, kRepeatWeekly, 1, 1);
  ExpectForward(weekly, zone, {"Sunday of the change", Utc(2026, 3, 23), Utc(2026, 3, 29, 6)});
}

}  // namespace
}  // namespace zavra
