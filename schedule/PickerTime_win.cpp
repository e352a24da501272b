#include "schedule/PickerTime_win.h"

#include <algorithm>

#include "schedule/CivilDate.h"

namespace zavra {

namespace {

// The month calendar behind a date picker starts with the Gregorian calendar of 1752.
const int64_t kFirstPickerDay = DayNumber(1753, 1, 1);
const int64_t kLastPickerDay = DayNumber(9999, 12, 31);

}  // namespace

SYSTEMTIME PickerDate(int64_t dayNumber) {
  const int64_t day = std::clamp(dayNumber, kFirstPickerDay, kLastPickerDay);
  const CivilDate date = DateOfDay(day);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.year);
  st.wMonth = static_cast<WORD>(date.month);
  st.wDay = static_cast<WORD>(date.day);
  st.wDayOfWeek = static_cast<WORD>(WeekdayOfDay(day));
  return st;
}

int64_t PickerDay(const SYSTEMTIME& shown) { return DayNumber(shown.wYear, shown.wMonth, shown.wDay); }

SYSTEMTIME PickerTime(int secondOfDay) {
  const int s = std::clamp(secondOfDay, 0, 86399);
  SYSTEMTIME st = PickerDate(DayNumber(2000, 1, 1));
  st.wHour = static_cast<WORD>(s / 3600);
  st.wMinute = static_cast<WORD>(s / 60 % 60);
  st.wSecond = static_cast<WORD>(s % 60);
  return st;
}

int PickerSecondOfDay(const SYSTEMTIME& shown) { return shown.wHour * 3600 + shown.wMinute * 60 + shown.wSecond; }

void ExchangeDate(DataExchange& dx, int id, int64_t& day) {
  SYSTEMTIME st = PickerDate(day);
  dx.DateTime(id, st);
  if (dx.saving()) day = PickerDay(st);
}

void ExchangeTimeOfDay(DataExchange& dx, int id, int& secondOfDay) {
  SYSTEMTIME st = PickerTime(secondOfDay);
  dx.DateTime(id, st);
  if (dx.saving()) secondOfDay = PickerSecondOfDay(st);
}

}  // namespace zavra
