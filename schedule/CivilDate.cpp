#include "schedule/CivilDate.h"

#include <algorithm>

namespace zavra {

namespace {

// Years are kept within this range before any multiplication, so that no caller value can
// overflow the day count; dates beyond it are far outside anything a schedule can reach.
constexpr int64_t kYearLimit = 100'000'000;

int64_t ClampYear(int64_t year) { return std::clamp(year, -kYearLimit, kYearLimit); }

}  // namespace

bool IsLeapYear(int64_t year) {
  return FloorMod(year, 4) == 0 && (FloorMod(year, 100) != 0 || FloorMod(year, 400) == 0);
}

int64_t DayNumber(int64_t year, int64_t month, int64_t day) {
  // Normalise the month first (in year units) so that the era arithmetic sees 1-12.
  const int64_t extraYears = FloorDiv(month - 1, 12);
  int64_t y = ClampYear(ClampYear(year) + std::clamp<int64_t>(extraYears, -kYearLimit, kYearLimit));
  const int64_t m = FloorMod(month - 1, 12) + 1;
  const int64_t d = std::clamp<int64_t>(day, -kYearLimit, kYearLimit);
  // Days from civil (H. Hinnant's algorithm), March-based years.
  y -= m <= 2 ? 1 : 0;
  const int64_t era = FloorDiv(y, 400);
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + (d - 1);
}

CivilDate DateOfDay(int64_t dayNumber) {
  const int64_t z = std::clamp<int64_t>(dayNumber, -kYearLimit * 366, kYearLimit * 366) + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  CivilDate date;
  date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.year = yoe + era * 400 + (date.month <= 2 ? 1 : 0);
  return date;
}

int WeekdayOfDay(int64_t dayNumber) { return static_cast<int>(FloorMod(dayNumber + 4, 7)); }

int DaysInMonth(int64_t month, int64_t year) {
  const int64_t y = ClampYear(ClampYear(year) + std::clamp<int64_t>(FloorDiv(month - 1, 12), -kYearLimit, kYearLimit));
  switch (FloorMod(month - 1, 12) + 1) {
    case 4: case 6: case 9: case 11:
      return 30;
    case 2:
      return IsLeapYear(y) ? 29 : 28;
    default:
      return 31;
  }
}

int NthWeekdayDay(int64_t year, int weekday, int k, int64_t month) {
  if (year < 1970 || year > 3000 || month < 1 || month > 12) return 1;
  const int w1 = WeekdayOfDay(DayNumber(year, month, 1));
  const int d = static_cast<int>(FloorMod(static_cast<int64_t>(weekday) - w1, 7));
  int candidate = 1 + d + 7 * std::clamp(k, 0, 4);
  const int last = DaysInMonth(month, year);
  while (candidate > last) candidate -= 7;  // at most once: a month has at least four of each weekday
  return candidate;
}

std::optional<WeekdayPosition> NthWeekdayOf(int64_t year, int64_t month, int64_t day) {
  if (year > 3000 || month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  WeekdayPosition pos;
  pos.k = static_cast<int>((day + 6) / 7 - 1);
  pos.weekday = WeekdayOfDay(DayNumber(year, month, day));
  return pos;
}

int FirstDayOfWeek(std::optional<int> localeValue) {
  if (!localeValue) return 0;
  return static_cast<int>(FloorMod(static_cast<int64_t>(*localeValue) + 1, 7));
}

}  // namespace zavra
