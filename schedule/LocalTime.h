#pragma once
// Local time of the machine as the schedule sees it: calendar fields of a time, and the time at
// which the local clock shows a given reading on a given date. The searches reach the time zone
// only through this, so tests can run them in chosen zones.

#include <array>
#include <cstdint>
#include <limits>
#include <mutex>

#include "schedule/CivilDate.h"

namespace zavra {

// Times the schedule works with: 0001-01-03 to 9999-12-29 UTC. Anything beyond reads as the
// nearest end, so corrupt records cannot push date arithmetic out of range.
inline constexpr int64_t kEarliestTime = -62135596800 + 2 * 86400;
inline constexpr int64_t kLatestTime = 253402300799 - 2 * 86400;
int64_t ClampTime(int64_t t);

struct LocalFields {
  int64_t dayNumber = 0;  // local date, days since 1970-01-01
  int64_t year = 1970;
  int month = 1;
  int day = 1;
  int weekday = 4;  // 0 = Sunday
  int secondOfDay = 0;  // wall-clock reading, hours * 3600 + minutes * 60 + seconds
};

class LocalTime {
 public:
  virtual ~LocalTime() = default;

  // Seconds east of UTC in force at t (t within kEarliestTime..kLatestTime).
  virtual int64_t UtcOffset(int64_t t) const = 0;

  LocalFields FieldsOf(int64_t t) const;
  // The time at which the local clock reads secondOfDay (0-86399) on the date. A reading that the
  // clock skips (spring) moves on by the length of the skip; one it shows twice (autumn) is the first.
  int64_t TimeOn(int64_t dayNumber, int secondOfDay) const;
  // The first valid local time of a date.
  int64_t DayStart(int64_t dayNumber) const { return TimeOn(dayNumber, 0); }
  // The day start n dates after the date of t.
  int64_t DayStartAfter(int64_t t, int64_t n) const { return DayStart(FieldsOf(t).dayNumber + n); }
  // The date a stored day start names: the date of the nearest local midnight (of t + 12 hours),
  // so a day start written in a zone up to 12 hours away still names the writer's date.
  int64_t DayOfDayStart(int64_t dayStart) const;
};

// The machine's zone through the C runtime (localtime_r, or _localtime64_s on Windows).
// The runtime can be slow (glibc re-reads the zone's rule for every time past its table, about
// ten times the cost of a time inside it), so the offsets of recently asked UTC days are kept,
// each day as one offset or as the two sides of the change inside it. That assumes a zone never
// changes its offset twice within a day or two, which holds for every zone of the tz database
// over 1900-2100 (the closest two changes of any zone are four days apart).
class CrtLocalTime final : public LocalTime {
 public:
  CrtLocalTime() = default;
  CrtLocalTime(const CrtLocalTime&) = delete;
  CrtLocalTime& operator=(const CrtLocalTime&) = delete;

  int64_t UtcOffset(int64_t t) const override;
  // Drops what was kept, after the machine's zone changed.
  void Forget();

 private:
  struct Day {
    int64_t index = std::numeric_limits<int64_t>::min();  // UTC day number
    int64_t changeAt = 0;  // first second with the offset after the change
    int64_t before = 0;
    int64_t after = 0;
  };
  static int64_t RuntimeOffset(int64_t t);
  static Day Survey(int64_t index);

  mutable std::mutex lock_;
  mutable std::array<Day, 1024> days_{};
};

const LocalTime& MachineLocalTime();
// Re-reads the machine's zone (tzset) and drops the offsets kept for the old one; call it when
// the zone may have changed.
void RefreshMachineLocalTime();

}  // namespace zavra
