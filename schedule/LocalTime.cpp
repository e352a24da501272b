#include "schedule/LocalTime.h"

#include <algorithm>
#include <array>
#include <ctime>

namespace zavra {

int64_t ClampTime(int64_t t) { return std::clamp(t, kEarliestTime, kLatestTime); }

LocalFields LocalTime::FieldsOf(int64_t t) const {
  t = ClampTime(t);
  const int64_t local = t + UtcOffset(t);
  LocalFields f;
  f.dayNumber = FloorDiv(local, 86400);
  f.secondOfDay = static_cast<int>(local - f.dayNumber * 86400);
  const CivilDate date = DateOfDay(f.dayNumber);
  f.year = date.year;
  f.month = date.month;
  f.day = date.day;
  f.weekday = WeekdayOfDay(f.dayNumber);
  return f;
}

int64_t LocalTime::DayOfDayStart(int64_t dayStart) const {
  constexpr int64_t kHalfDay = 12 * 3600;
  return FieldsOf(std::min(ClampTime(dayStart), kLatestTime - kHalfDay) + kHalfDay).dayNumber;
}

int64_t LocalTime::TimeOn(int64_t dayNumber, int secondOfDay) const {
  const int64_t firstDay = FloorDiv(kEarliestTime, 86400);
  const int64_t lastDay = FloorDiv(kLatestTime, 86400);
  const int64_t reading = std::clamp(dayNumber, firstDay, lastDay) * 86400 + std::clamp(secondOfDay, 0, 86399);
  // The instant lies within a day of the reading; the offsets a day before and after cover both
  // sides of any change near it. Of the candidates, the earliest that shows the reading or a later
  // one is the answer: the reading itself when it exists (the first of two), else the instant
  // after the skip. The C runtime's own normalisation differs between runtimes, so it is not used.
  const std::array<int64_t, 3> offsets = {UtcOffset(ClampTime(reading - 86400)), UtcOffset(ClampTime(reading)),
                                          UtcOffset(ClampTime(reading + 86400))};
  bool found = false;
  int64_t best = 0;
  for (size_t i = 0; i < offsets.size(); ++i) {
    const int64_t offset = offsets[i];
    if ((i > 0 && offset == offsets[0]) || (i > 1 && offset == offsets[1])) continue;
    const int64_t t = ClampTime(reading - offset);
    if (t + UtcOffset(t) >= reading && (!found || t < best)) {
      best = t;
      found = true;
    }
  }
  return found ? best : ClampTime(reading - offsets[1]);
}

int64_t CrtLocalTime::RuntimeOffset(int64_t t) {
  // Windows' runtime converts only 1970-3000; outside it, the offset at the nearest end stands in.
  constexpr int64_t kCrtFirst = 86400;
  constexpr int64_t kCrtLast = 32503593600;  // 2999-12-31 00:00 UTC
  const std::array<int64_t, 2> tries = {ClampTime(t), std::clamp(t, kCrtFirst, kCrtLast)};
  for (int64_t when : tries) {
    std::tm tm{};
    bool ok;
#ifdef _WIN32
    const __time64_t value = when;
    ok = _localtime64_s(&tm, &value) == 0;
#else
    const std::time_t value = static_cast<std::time_t>(when);
    ok = localtime_r(&value, &tm) != nullptr;
#endif
    if (!ok) continue;
    const int64_t local = DayNumber(static_cast<int64_t>(tm.tm_year) + 1900, tm.tm_mon + 1, tm.tm_mday) * 86400 +
                          tm.tm_hour * 3600 + tm.tm_min * 60 + std::min(tm.tm_sec, 59);
    return local - when;
  }
  return 0;
}

CrtLocalTime::Day CrtLocalTime::Survey(int64_t index) {
  Day day;
  day.index = index;
  int64_t lo = index * 86400;
  int64_t hi = lo + 86399;
  day.before = RuntimeOffset(lo);
  day.after = RuntimeOffset(hi);
  if (day.before == day.after) {
    day.changeAt = hi + 1;
    return day;
  }
  // Bisect to the second at which the offset changes.
  while (hi - lo > 1) {
    const int64_t mid = lo + (hi - lo) / 2;
    if (RuntimeOffset(mid) == day.before)
      lo = mid;
    else
      hi = mid;
  }
  day.changeAt = hi;
  return day;
}

int64_t CrtLocalTime::UtcOffset(int64_t t) const {
  t = ClampTime(t);
  const int64_t index = FloorDiv(t, 86400);
  Day& slot = days_[static_cast<size_t>(FloorMod(index, static_cast<int64_t>(days_.size())))];
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (slot.index == index) return t < slot.changeAt ? slot.before : slot.after;
  }
  const Day day = Survey(index);
  std::lock_guard<std::mutex> hold(lock_);
  slot = day;
  return t < day.changeAt ? day.before : day.after;
}

void CrtLocalTime::Forget() {
  std::lock_guard<std::mutex> hold(lock_);
  days_.fill(Day{});
}

namespace {

CrtLocalTime& SharedMachineZone() {
  static CrtLocalTime zone;
  return zone;
}

}  // namespace

const LocalTime& MachineLocalTime() { return SharedMachineZone(); }

void RefreshMachineLocalTime() {
#ifdef _WIN32
  _tzset();
#else
  tzset();
#endif
  SharedMachineZone().Forget();
}

}  // namespace zavra
