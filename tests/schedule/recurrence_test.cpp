#include <gtest/gtest.h>

#include <vector>

#include "schedule/Recurrence.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::EndOn;
using test::FixedOffsetZone;
using test::Scheduled;
using test::Show;
using test::Utc;

constexpr uint16_t Bit(int weekday) { return static_cast<uint16_t>(1u << weekday); }
constexpr uint16_t NthWeekday(int k, int weekday) { return static_cast<uint16_t>(k << 4 | weekday); }
constexpr uint16_t MonthDay(int month, int day) { return static_cast<uint16_t>(month << 8 | day); }

// Rules checked on dates, in a zone an hour east of UTC so nothing silently assumes UTC.
class Recurrence : public ::testing::Test {
 protected:
  FixedOffsetZone zone{3600};
  int64_t Local(int64_t y, int m, int d, int hh = 0, int mm = 0, int ss = 0) const {
    return Utc(y, m, d, hh, mm, ss) - 3600;
  }
  // The series from its first occurrence on, found by repeated forward searches.
  std::vector<int64_t> Occurrences(const NOTE_PAD& note, size_t count, int64_t from = 0) const {
    std::vector<int64_t> found;
    int64_t t = from;
    while (found.size() < count && NextOccurrence(note, t, 0, &t, true, zone)) {
      found.push_back(t);
      ++t;
    }
    return found;
  }
  std::string Text(const std::vector<int64_t>& times) const {
    std::string s;
    for (int64_t t : times) s += Show(t, zone) + "\n";
    return s;
  }
};

TEST_F(Recurrence, DayThirtyOneFallsOnTheLastDayOfShorterMonths) {
  const NOTE_PAD note = Scheduled(zone, 2027, 12, 31, 9 * 3600, kRepeatMonthlyByDay, 1, 31);
  const std::vector<int64_t> expected = {Local(2027, 12, 31, 9), Local(2028, 1, 31, 9), Local(2028, 2, 29, 9),
                                         Local(2028, 3, 31, 9),  Local(2028, 4, 30, 9), Local(2028, 5, 31, 9),
                                         Local(2028, 6, 30, 9)};
  const auto got = Occurrences(note, expected.size());
  EXPECT_EQ(got, expected) << Text(got);
  int64_t feb = 0;
  ASSERT_TRUE(NextOccurrence(note, Local(2029, 2, 1), 0, &feb, true, zone));
  EXPECT_EQ(feb, Local(2029, 2, 28, 9)) << Show(feb, zone);
}

TEST_F(Recurrence, FebruaryTwentyNinthFallsOnTheTwentyEighthInCommonYears) {
  const NOTE_PAD note = Scheduled(zone, 2024, 2, 29, 8 * 3600, kRepeatYearlyByDay, 1, MonthDay(2, 29));
  const std::vector<int64_t> expected = {Local(2024, 2, 29, 8), Local(2025, 2, 28, 8), Local(2026, 2, 28, 8),
                                         Local(2027, 2, 28, 8), Local(2028, 2, 29, 8)};
  const auto got = Occurrences(note, expected.size());
  EXPECT_EQ(got, expected) << Text(got);
  int64_t t = 0;
  ASSERT_TRUE(NextOccurrence(note, Local(2100, 1, 1), 0, &t, true, zone));
  EXPECT_EQ(t, Local(2100, 2, 28, 8)) << "2100 is not a leap year: " << Show(t, zone);
  ASSERT_TRUE(LastOccurrence(note, 0, Local(2100, 12, 31), &t, zone));
  EXPECT_EQ(t, Local(2100, 2, 28, 8)) << Show(t, zone);
}

TEST_F(Recurrence, LastWeekdayAndFourthWeekdayDifferOnlyInFiveWeekMonths) {
  // Fridays of January 2026: 2, 9, 16, 23, 30; of February: 6, 13, 20, 27.
  const NOTE_PAD last = Scheduled(zone, 2026, 1, 1, 0, kRepeatMonthlyByWeekday, 1, NthWeekday(4, 5));
  const NOTE_PAD fourth = Scheduled(zone, 2026, 1, 1, 0, kRepeatMonthlyByWeekday, 1, NthWeekday(3, 5));
  EXPECT_EQ(Occurrences(last, 2), (std::vector<int64_t>{Local(2026, 1, 30), Local(2026, 2, 27)}));
  EXPECT_EQ(Occurrences(fourth, 2), (std::vector<int64_t>{Local(2026, 1, 23), Local(2026, 2, 27)}));
  // Yearly: the last Friday of March is the 27th in 2026 and the 26th in 2027.
  const NOTE_PAD yearly = Scheduled(zone, 2026, 1, 1, 0, kRepeatYearlyByWeekday, 1, MonthDay(3, NthWeekday(4, 5)));
  EXPECT_EQ(Occurrences(yearly, 2), (std::vector<int64_t>{Local(2026, 3, 27), Local(2027, 3, 26)}));
}

TEST_F(Recurrence, BoundsEqualToAnOccurrenceIncludeIt) {
  const NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 9 * 3600, kRepeatDaily, 3);
  const int64_t occurrence = Local(2026, 1, 7, 9);
  int64_t t = 0;
  ASSERT_TRUE(NextOccurrence(note, occurrence, occurrence, &t, true, zone));
  EXPECT_EQ(t, occurrence);
  ASSERT_TRUE(LastOccurrence(note, occurrence, occurrence, &t, zone));
  EXPECT_EQ(t, occurrence);
  EXPECT_FALSE(NextOccurrence(note, occurrence + 1, occurrence + 86400, &t, true, zone));
  EXPECT_FALSE(LastOccurrence(note, occurrence - 86400, occurrence - 1, &t, zone));
}

TEST_F(Recurrence, FromAfterTheTimeOnAnOccurrenceDayMovesToTheNextCycle) {
  struct Case { uint8_t kind; uint16_t param; uint8_t interval; int64_t from; int64_t next; int64_t toBack; int64_t back; };
  const Case cases[] = {
      // every 3 days from Thursday January 1st: 1, 4, 7, ...
      {kRepeatDaily, 0, 3, Local(2026, 1, 4, 10), Local(2026, 1, 7, 9), Local(2026, 1, 4, 8), Local(2026, 1, 1, 9)},
      // Thursdays every week
      {kRepeatWeekly, Bit(4), 1, Local(2026, 1, 8, 9, 0, 1), Local(2026, 1, 15, 9), Local(2026, 1, 8, 8, 59, 59),
       Local(2026, 1, 1, 9)},
      // day 1 every month
      {kRepeatMonthlyByDay, 1, 1, Local(2026, 2, 1, 10), Local(2026, 3, 1, 9), Local(2026, 2, 1, 8), Local(2026, 1, 1, 9)},
      // January 1st every year
      {kRepeatYearlyByDay, MonthDay(1, 1), 1, Local(2027, 1, 1, 10), Local(2028, 1, 1, 9), Local(2027, 1, 1, 8),
       Local(2026, 1, 1, 9)},
  };
  for (const Case& c : cases) {
    const NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 9 * 3600, c.kind, c.interval, c.param);
    int64_t t = 0;
    ASSERT_TRUE(NextOccurrence(note, c.from, 0, &t, true, zone)) << "kind " << int(c.kind);
    EXPECT_EQ(t, c.next) << "kind " << int(c.kind) << ": " << Show(t, zone);
    ASSERT_TRUE(LastOccurrence(note, 0, c.toBack, &t, zone)) << "kind " << int(c.kind);
    EXPECT_EQ(t, c.back) << "kind " << int(c.kind) << ": " << Show(t, zone);
  }
}

TEST_F(Recurrence, EveryTwoWeeksFromAWednesdayRunsWednesdayToTuesday) {
  ASSERT_EQ(WeekdayOfDay(DayNumber(2026, 7, 1)), 3) << "July 2026 must begin on a Wednesday";
  const NOTE_PAD note = Scheduled(zone, 2026, 7, 1, 9 * 3600, kRepeatWeekly, 2, Bit(1) | Bit(3));
  std::vector<int64_t> july;
  for (int64_t t : Occurrences(note, 10))
    if (zone.FieldsOf(t).month == 7) july.push_back(zone.FieldsOf(t).day);
  EXPECT_EQ(july, (std::vector<int64_t>{1, 6, 15, 20, 29}));

  int64_t t = 0;
  ASSERT_TRUE(LastOccurrence(note, 0, Local(2026, 7, 10, 12), &t, zone));
  EXPECT_EQ(t, Local(2026, 7, 6, 9)) << "Friday the 10th lies in an inactive week: " << Show(t, zone);
  ASSERT_TRUE(NextOccurrence(note, Local(2026, 7, 7), 0, &t, true, zone));
  EXPECT_EQ(t, Local(2026, 7, 15, 9)) << Show(t, zone);
  ASSERT_TRUE(LastOccurrence(note, 0, Local(2026, 7, 14, 23), &t, zone));
  EXPECT_EQ(t, Local(2026, 7, 6, 9)) << Show(t, zone);
}

TEST_F(Recurrence, RulesThatCanNeverOccurHaveNoOccurrence) {
  struct Case { const char* what; uint8_t kind; uint16_t param; };
  const Case cases[] = {{"weekly with no weekday", kRepeatWeekly, 0},
                        {"weekly with only bit 7", kRepeatWeekly, 0x80},
                        {"monthly on day 0", kRepeatMonthlyByDay, 0},
                        {"monthly on weekday 7", kRepeatMonthlyByWeekday, NthWeekday(1, 7)},
                        {"yearly in month 0", kRepeatYearlyByDay, MonthDay(0, 5)},
                        {"yearly in month 13", kRepeatYearlyByDay, MonthDay(13, 5)},
                        {"yearly on day 0", kRepeatYearlyByDay, MonthDay(5, 0)},
                        {"yearly by weekday 9", kRepeatYearlyByWeekday, MonthDay(5, NthWeekday(0, 9))}};
  for (const Case& c : cases) {
    const NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 0, c.kind, 1, c.param);
    EXPECT_FALSE(NextOccurrence(note, 0, 0, nullptr, false, zone)) << c.what;
    EXPECT_FALSE(LastOccurrence(note, 0, Local(2030, 1, 1), nullptr, zone)) << c.what;
  }
}

TEST_F(Recurrence, ImpossibleValuesThatStillMeanSomething) {
  int64_t t = 0;
  // a day above 31 is the last day of the month
  NOTE_PAD note = Scheduled(zone, 2026, 2, 1, 0, kRepeatMonthlyByDay, 1, 200);
  ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_EQ(t, Local(2026, 2, 28)) << Show(t, zone);
  // an ordinal above "last" is "last"
  note = Scheduled(zone, 2026, 1, 1, 0, kRepeatMonthlyByWeekday, 1, NthWeekday(9, 5));
  ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_EQ(t, Local(2026, 1, 30)) << Show(t, zone);
  // a time of day outside the day is held to it
  note = Scheduled(zone, 2026, 1, 1, -5, kRepeatDaily);
  ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_EQ(t, Local(2026, 1, 1)) << Show(t, zone);
  note.timeFrom = 90000;
  ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_EQ(t, Local(2026, 1, 1, 23, 59, 59)) << Show(t, zone);
  // interval 0 counts as 1
  note = Scheduled(zone, 2026, 1, 1, 0, kRepeatDaily, 0);
  ASSERT_TRUE(NextOccurrence(note, Local(2026, 1, 2, 1), 0, &t, true, zone));
  EXPECT_EQ(t, Local(2026, 1, 3)) << Show(t, zone);
}

TEST_F(Recurrence, AOneTimeNoteHasExactlyItsFirstOccurrence) {
  NOTE_PAD note = Scheduled(zone, 2026, 5, 5, 10 * 3600, kRepeatNone);
  EndOn(note, zone, 2026, 5, 20);
  note.flags |= kNoteOpenEnded;  // ignored without recurrence
  const int64_t first = Local(2026, 5, 5, 10);
  int64_t t = 0;
  ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_EQ(t, first);
  EXPECT_FALSE(NextOccurrence(note, first + 1, 0, &t, true, zone));
  ASSERT_TRUE(LastOccurrence(note, 0, 0, &t, zone));
  EXPECT_EQ(t, first);
  // its last day only widens the overlap
  EXPECT_TRUE(OverlapsRange(note, Local(2026, 5, 19), Local(2026, 5, 19, 12), zone));
  EXPECT_FALSE(OverlapsRange(note, Local(2026, 5, 21), Local(2026, 5, 22), zone));
  EXPECT_FALSE(OverlapsRange(note, Local(2026, 5, 1), first - 1, zone));
}

TEST_F(Recurrence, OpenEndedAndUnscheduledOverlaps) {
  const NOTE_PAD open = Scheduled(zone, 2026, 5, 5, 10 * 3600, kRepeatDaily);
  const int64_t first = Local(2026, 5, 5, 10);
  EXPECT_TRUE(OverlapsRange(open, Local(2300, 1, 1), Local(2300, 1, 2), zone));
  EXPECT_TRUE(OverlapsRange(open, Local(2020, 1, 1), first, zone));
  EXPECT_FALSE(OverlapsRange(open, Local(2020, 1, 1), first - 1, zone));
  EXPECT_TRUE(OverlapsRange(open, 0, 0, zone));

  NOTE_PAD closed = open;
  EndOn(closed, zone, 2026, 6, 1);
  EXPECT_TRUE(OverlapsRange(closed, Local(2026, 6, 1, 10), Local(2027, 1, 1), zone));
  EXPECT_FALSE(OverlapsRange(closed, Local(2026, 6, 1, 10, 0, 1), Local(2027, 1, 1), zone));

  NOTE_PAD plain;
  plain.created = Local(2026, 3, 3, 3);
  EXPECT_TRUE(OverlapsRange(plain, plain.created, plain.created, zone));
  EXPECT_FALSE(OverlapsRange(plain, plain.created + 1, plain.created + 100, zone));
  EXPECT_FALSE(OverlapsRange(plain, plain.created - 100, plain.created - 1, zone));
  EXPECT_FALSE(NextOccurrence(plain, 0, 0, nullptr, false, zone)) << "an unscheduled note has no occurrences";
}

TEST_F(Recurrence, SeriesEndsOnItsLastDayAtTheTimeOfDay) {
  NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 9 * 3600, kRepeatDaily);
  EndOn(note, zone, 2026, 1, 10);
  int64_t t = 0;
  EXPECT_FALSE(NextOccurrence(note, Local(2026, 1, 10, 9, 0, 1), 0, &t, true, zone));
  ASSERT_TRUE(LastOccurrence(note, 0, 0, &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 10, 9));
  ASSERT_TRUE(LastOccurrence(note, 0, Local(2027, 1, 1), &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 10, 9));
  ASSERT_TRUE(OccurrenceFrom(note, Local(2026, 3, 1), &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 10, 9)) << "after the series the last occurrence stands";
  ASSERT_TRUE(OccurrenceFrom(note, Local(2026, 1, 5, 12), &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 6, 9));
  // an end before the start leaves nothing
  EndOn(note, zone, 2025, 12, 31);
  EXPECT_FALSE(NextOccurrence(note, 0, 0, nullptr, false, zone));
}

TEST_F(Recurrence, StartOnADayTheRuleSkipsBeginsAtTheNextRuleDay) {
  int64_t t = 0;
  // day 15 every 2 months from January 31: the January 15th is before the start, so March.
  NOTE_PAD note = Scheduled(zone, 2026, 1, 31, 0, kRepeatMonthlyByDay, 2, 15);
  ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_EQ(t, Local(2026, 3, 15));
  EXPECT_FALSE(LastOccurrence(note, 0, Local(2026, 3, 14), &t, zone));
  // June 1st every 3 years from 2026-07-01: 2029.
  note = Scheduled(zone, 2026, 7, 1, 0, kRepeatYearlyByDay, 3, MonthDay(6, 1));
  ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_EQ(t, Local(2029, 6, 1));
  ASSERT_TRUE(NextOccurrence(note, Local(2030, 1, 1), 0, &t, true, zone));
  EXPECT_EQ(t, Local(2032, 6, 1));
  ASSERT_TRUE(LastOccurrence(note, 0, Local(2032, 5, 31), &t, zone));
  EXPECT_EQ(t, Local(2029, 6, 1));
}

TEST_F(Recurrence, ExcludingADateTwiceRestoresIt) {
  NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 9 * 3600, kRepeatDaily);
  const int64_t day2 = Local(2026, 1, 2, 9);
  int64_t t = 0;
  ASSERT_TRUE(ToggleExclusion(note, 2026, 1, 2));
  EXPECT_TRUE(IsExcludedDay(note, Local(2026, 1, 2, 23, 30), zone));
  EXPECT_FALSE(IsExcludedDay(note, Local(2026, 1, 3, 0, 30), zone));
  ASSERT_TRUE(NextOccurrence(note, Local(2026, 1, 1, 12), 0, &t, true, zone));
  EXPECT_EQ(t, Local(2026, 1, 3, 9)) << "excluded date must be skipped";
  ASSERT_TRUE(NextOccurrence(note, Local(2026, 1, 1, 12), 0, &t, false, zone));
  EXPECT_EQ(t, day2) << "exclusions not honoured";
  ASSERT_TRUE(LastOccurrence(note, 0, Local(2026, 1, 2, 23), &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 1, 9)) << "the backward search always skips exclusions";
  ASSERT_TRUE(ToggleExclusion(note, 2026, 1, 2));
  EXPECT_TRUE(note.excludes.empty());
  ASSERT_TRUE(NextOccurrence(note, Local(2026, 1, 1, 12), 0, &t, true, zone));
  EXPECT_EQ(t, day2);
}

TEST_F(Recurrence, ExcludingAOneTimeNoteHidesItFromTheAlarmButNotTheValidityTest) {
  NOTE_PAD note = Scheduled(zone, 2026, 4, 4, 0, kRepeatNone);
  ASSERT_TRUE(ToggleExclusion(note, 2026, 4, 4));
  EXPECT_FALSE(NextOccurrence(note, 0, 0, nullptr, true, zone));
  EXPECT_TRUE(NextOccurrence(note, 0, 0, nullptr, false, zone));
  EXPECT_FALSE(LastOccurrence(note, 0, 0, nullptr, zone));
}

TEST_F(Recurrence, ToggleExclusionEditsOnlyScheduledNotesWithRealDates) {
  NOTE_PAD plain;
  EXPECT_FALSE(ToggleExclusion(plain, 2026, 1, 1));
  EXPECT_TRUE(plain.excludes.empty());
  NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 0, kRepeatDaily);
  EXPECT_FALSE(ToggleExclusion(note, 2026, 13, 1));
  EXPECT_FALSE(ToggleExclusion(note, 2026, 1, 0));
  EXPECT_FALSE(ToggleExclusion(note, 70000, 1, 1));
  EXPECT_TRUE(note.excludes.empty());
  // keys are appended in the order the dates were picked
  ASSERT_TRUE(ToggleExclusion(note, 2026, 3, 1));
  ASSERT_TRUE(ToggleExclusion(note, 2026, 2, 1));
  EXPECT_EQ(note.excludes, (std::vector<uint32_t>{DateKey(2026, 3, 1), DateKey(2026, 2, 1)}));
  // a file may hold a key twice: restoring the date removes every copy
  note.excludes = {DateKey(2026, 2, 1), DateKey(2026, 5, 5), DateKey(2026, 2, 1)};
  ASSERT_TRUE(ToggleExclusion(note, 2026, 2, 1));
  EXPECT_EQ(note.excludes, std::vector<uint32_t>{DateKey(2026, 5, 5)});
  EXPECT_FALSE(IsExcludedDay(note, Local(2026, 2, 1, 12), zone));
}

TEST_F(Recurrence, ExcludedCyclesAreSkippedForEveryRuleKind) {
  struct Case { uint8_t kind; uint16_t param; std::vector<uint32_t> excluded; int64_t expected; };
  const Case cases[] = {
      {kRepeatDaily, 0, {DateKey(2026, 1, 1), DateKey(2026, 1, 2)}, Local(2026, 1, 3, 9)},
      {kRepeatWeekly, Bit(4), {DateKey(2026, 1, 1), DateKey(2026, 1, 8)}, Local(2026, 1, 15, 9)},
      {kRepeatMonthlyByDay, 1, {DateKey(2026, 1, 1), DateKey(2026, 2, 1)}, Local(2026, 3, 1, 9)},
      {kRepeatMonthlyByWeekday, NthWeekday(0, 4), {DateKey(2026, 1, 1)}, Local(2026, 2, 5, 9)},
      {kRepeatYearlyByDay, MonthDay(1, 1), {DateKey(2026, 1, 1), DateKey(2027, 1, 1)}, Local(2028, 1, 1, 9)},
      {kRepeatYearlyByWeekday, MonthDay(1, NthWeekday(0, 4)), {DateKey(2026, 1, 1)}, Local(2027, 1, 7, 9)},
  };
  for (const Case& c : cases) {
    NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 9 * 3600, c.kind, 1, c.param);
    note.excludes = c.excluded;
    int64_t t = 0;
    ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone)) << "kind " << int(c.kind);
    EXPECT_EQ(t, c.expected) << "kind " << int(c.kind) << ": " << Show(t, zone);
    ASSERT_TRUE(LastOccurrence(note, 0, c.expected, &t, zone)) << "kind " << int(c.kind);
    EXPECT_EQ(t, c.expected) << "kind " << int(c.kind);
    EXPECT_FALSE(LastOccurrence(note, 0, c.expected - 1, &t, zone)) << "kind " << int(c.kind);
  }
}

TEST_F(Recurrence, NearestOccurrencePrefersTheNearerAndTheLaterOnATie) {
  const NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 9 * 3600, kRepeatDaily);
  int64_t t = 0;
  ASSERT_TRUE(NearestOccurrence(note, Local(2026, 1, 5, 20, 59, 59), 0, 0, &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 5, 9));
  ASSERT_TRUE(NearestOccurrence(note, Local(2026, 1, 5, 21), 0, 0, &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 6, 9)) << "a tie goes to the later";
  ASSERT_TRUE(NearestOccurrence(note, Local(2026, 1, 5, 21, 0, 1), 0, 0, &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 6, 9));
  ASSERT_TRUE(NearestOccurrence(note, Local(2025, 6, 1), 0, 0, &t, zone));
  EXPECT_EQ(t, Local(2026, 1, 1, 9)) << "before the series only the first is near";
  // the window limits both sides
  EXPECT_FALSE(NearestOccurrence(note, Local(2026, 1, 5, 12), Local(2026, 1, 5, 10), Local(2026, 1, 6, 8), &t, zone));
}

TEST_F(Recurrence, FoundTimesAreWrittenOnlyWhenFound) {
  const NOTE_PAD note = Scheduled(zone, 2026, 1, 1, 9 * 3600, kRepeatWeekly, 1, 0);
  int64_t t = 12345;
  EXPECT_FALSE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_FALSE(LastOccurrence(note, 0, 0, &t, zone));
  EXPECT_FALSE(NearestOccurrence(note, Local(2026, 2, 1), 0, 0, &t, zone));
  EXPECT_FALSE(OccurrenceFrom(note, Local(2026, 2, 1), &t, zone));
  EXPECT_EQ(t, 12345);
}

}  // namespace
}  // namespace zavra
