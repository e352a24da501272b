#include <gtest/gtest.h>

#include "schedule/CivilDate.h"

namespace zavra {
namespace {

// Slow reference: walks the calendar one date at a time with the leap rule written out.
struct WalkingCalendar {
  int64_t year = 1970;
  int month = 1;
  int day = 1;
  int weekday = 4;  // 1970-01-01 was a Thursday
  static int Length(int64_t y, int m) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : lengths[m - 1];
  }
  void Next() {
    weekday = (weekday + 1) % 7;
    if (++day > Length(year, month)) {
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
};

TEST(CivilDate, DayNumbersAgreeWithAWalkFrom1970To2500) {
  WalkingCalendar walk;
  for (int64_t n = 0; walk.year < 2500; ++n, walk.Next()) {
    ASSERT_EQ(DayNumber(walk.year, walk.month, walk.day), n)
        << walk.year << "-" << walk.month << "-" << walk.day;
    const CivilDate back = DateOfDay(n);
    ASSERT_TRUE(back.year == walk.year && back.month == walk.month && back.day == walk.day) << "day " << n;
    ASSERT_EQ(WeekdayOfDay(n), walk.weekday) << "day " << n;
    ASSERT_EQ(DaysInMonth(walk.month, walk.year), WalkingCalendar::Length(walk.year, walk.month));
  }
}

TEST(CivilDate, RoundTripsFarFromTheEpochInBothDirections) {
  for (int64_t n = -3'700'000; n <= 3'700'000; n += 997) {
    const CivilDate d = DateOfDay(n);
    ASSERT_EQ(DayNumber(d.year, d.month, d.day), n);
    ASSERT_EQ(WeekdayOfDay(n + 1), (WeekdayOfDay(n) + 1) % 7);
  }
}

TEST(CivilDate, MonthLengthsFollowTheGregorianLeapRule) {
  struct Case { int64_t month, year; int days; };
  const Case cases[] = {{2, 2100, 28}, {2, 2000, 29}, {2, 2024, 29}, {2, 2026, 28}, {2, 1900, 28},
                        {4, 2026, 30}, {6, 2026, 30}, {9, 2026, 30}, {11, 2026, 30}, {1, 2026, 31},
                        {12, 2026, 31}, {7, 2026, 31}, {8, 2026, 31},
                        // months beyond 1-12 roll into the neighbouring years
                        {14, 2099, 28}, {14, 2023, 29}, {0, 2026, 31}, {-10, 2025, 29}, {13, 2026, 31}};
  for (const Case& c : cases)
    EXPECT_EQ(DaysInMonth(c.month, c.year), c.days) << "month " << c.month << " of " << c.year;
}

TEST(CivilDate, MonthRollOverInDayNumbers) {
  EXPECT_EQ(DayNumber(2026, 13, 1), DayNumber(2027, 1, 1));
  EXPECT_EQ(DayNumber(2026, 0, 1), DayNumber(2025, 12, 1));
  EXPECT_EQ(DayNumber(2026, -23, 1), DayNumber(2024, 1, 1));
  EXPECT_EQ(DayNumber(2026, 1, 32), DayNumber(2026, 2, 1));
}

// Reference for the k-th weekday: scan the month.
int ScanNthWeekday(int64_t year, int weekday, int k, int month) {
  int found[6] = {};
  int count = 0;
  for (int d = 1; d <= DaysInMonth(month, year); ++d)
    if (WeekdayOfDay(DayNumber(year, month, d)) == weekday) found[count++] = d;
  return k >= 4 ? found[count - 1] : found[k];
}

TEST(CivilDate, NthWeekdayDayMatchesAScanOfEveryMonth) {
  for (int64_t year : {1970, 2000, 2024, 2026, 2100, 3000})
    for (int month = 1; month <= 12; ++month)
      for (int weekday = 0; weekday < 7; ++weekday)
        for (int k = 0; k <= 4; ++k)
          ASSERT_EQ(NthWeekdayDay(year, weekday, k, month), ScanNthWeekday(year, weekday, k, month))
              << year << "-" << month << " weekday " << weekday << " k " << k;
}

TEST(CivilDate, LastIsTheFifthWhereThereIsOneAndFourthNeverMovesToAFifthWeek) {
  // March 2026 begins on a Sunday: five Sundays, Mondays and Tuesdays; four Wednesdays.
  EXPECT_EQ(NthWeekdayDay(2026, 0, 4, 3), 29);
  EXPECT_EQ(NthWeekdayDay(2026, 0, 3, 3), 22);
  EXPECT_EQ(NthWeekdayDay(2026, 3, 4, 3), 25);
  EXPECT_EQ(NthWeekdayDay(2026, 3, 3, 3), 25);
  // February 2026 has exactly four of each weekday.
  EXPECT_EQ(NthWeekdayDay(2026, 5, 4, 2), 27);
}

TEST(CivilDate, NthWeekdayDayOutsideItsRangeGivesDayOne) {
  EXPECT_EQ(NthWeekdayDay(1969, 3, 2, 5), 1);
  EXPECT_EQ(NthWeekdayDay(3001, 3, 2, 5), 1);
  EXPECT_EQ(NthWeekdayDay(2026, 3, 2, 0), 1);
  EXPECT_EQ(NthWeekdayDay(2026, 3, 2, 13), 1);
  // ordinals past "last" are "last"; below "1st" are "1st"
  EXPECT_EQ(NthWeekdayDay(2026, 0, 15, 3), 29);
  EXPECT_EQ(NthWeekdayDay(2026, 0, -3, 3), 1);
}

TEST(CivilDate, NthWeekdayOfInvertsNthWeekdayDay) {
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= DaysInMonth(month, 2026); ++day) {
      const auto pos = NthWeekdayOf(2026, month, day);
      ASSERT_TRUE(pos.has_value());
      EXPECT_EQ(pos->k, (day - 1) / 7);
      if (pos->k < 4) {
        EXPECT_EQ(NthWeekdayDay(2026, pos->weekday, pos->k, month), day);
      }
      EXPECT_EQ(pos->weekday, WeekdayOfDay(DayNumber(2026, month, day)));
    }
  EXPECT_FALSE(NthWeekdayOf(3001, 1, 1));
  EXPECT_FALSE(NthWeekdayOf(2026, 0, 1));
  EXPECT_FALSE(NthWeekdayOf(2026, 13, 1));
  EXPECT_FALSE(NthWeekdayOf(2026, 1, 0));
  EXPECT_FALSE(NthWeekdayOf(2026, 1, 32));
}

TEST(CivilDate, FirstDayOfWeekFromTheLocale) {
  // LOCALE_IFIRSTDAYOFWEEK counts from Monday = 0; the schedule counts from Sunday = 0.
  const std::pair<int, int> table[] = {{0, 1}, {1, 2}, {5, 6}, {6, 0}};
  for (auto [locale, sunday] : table) EXPECT_EQ(FirstDayOfWeek(locale), sunday) << "locale value " << locale;
  EXPECT_EQ(FirstDayOfWeek(std::nullopt), 0);
}

}  // namespace
}  // namespace zavra
