#pragma once
// Proleptic Gregorian calendar arithmetic on day numbers (days since 1970-01-01), so that
// "n dates later" never depends on how long a local day happens to be.

#include <cstdint>
#include <optional>

namespace zavra {

struct CivilDate {
  int64_t year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
};

bool IsLeapYear(int64_t year);

// Day number of a date; months past 12 or below 1 roll into the neighbouring years and days
// past the month's end roll into the following months.
int64_t DayNumber(int64_t year, int64_t month, int64_t day);
CivilDate DateOfDay(int64_t dayNumber);
// 0 = Sunday.
int WeekdayOfDay(int64_t dayNumber);

// Month length; months outside 1-12 roll over into the neighbouring years first.
int DaysInMonth(int64_t month, int64_t year);

// Day of month of the k-th weekday (k 0-3 = 1st-4th, 4 = last; above 4 counts as last, below 0 as
// 1st). Years outside 1970-3000 and months outside 1-12 give day 1.
int NthWeekdayDay(int64_t year, int weekday, int k, int64_t month);

struct WeekdayPosition {
  int k = 0;        // 0-4
  int weekday = 0;  // 0 = Sunday
};
// Position of a date as k-th weekday of its month; nothing for a year above 3000, a month
// outside 1-12 or a day outside 1-31.
std::optional<WeekdayPosition> NthWeekdayOf(int64_t year, int64_t month, int64_t day);

// First day of the week, Sunday-based, from the locale's LOCALE_IFIRSTDAYOFWEEK (0 = Monday);
// Sunday when the locale could not be read.
int FirstDayOfWeek(std::optional<int> localeValue);

// Floor division and its non-negative remainder, for signed day and month counts.
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
constexpr int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

}  // namespace zavra
