#pragma once
// Shared helpers of the schedule tests: building notes, fixed and real time zones.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "schedule/CivilDate.h"
#include "schedule/LocalTime.h"
#include "store/NoteRecord.h"

namespace zavra::test {

// A zone without daylight saving, so rules can be checked on dates alone.
class FixedOffsetZone final : public LocalTime {
 public:
  explicit FixedOffsetZone(int64_t offsetSeconds) : offset_(offsetSeconds) {}
  int64_t UtcOffset(int64_t) const override { return offset_; }

 private:
  int64_t offset_;
};

inline int64_t Utc(int64_t y, int m, int d, int hh = 0, int mm = 0, int ss = 0) {
  return DayNumber(y, m, d) * 86400 + hh * 3600 + mm * 60 + ss;
}

inline std::string Show(int64_t t, const LocalTime& zone) {
  const LocalFields f = zone.FieldsOf(t);
  char text[96];
  std::snprintf(text, sizeof text, "%lld (local %04lld-%02d-%02d %02d:%02d:%02d)", static_cast<long long>(t),
                static_cast<long long>(f.year), f.month, f.day, f.secondOfDay / 3600, f.secondOfDay / 60 % 60,
                f.secondOfDay % 60);
  return text;
}

inline NOTE_PAD Scheduled(const LocalTime& zone, int64_t y, int m, int d, int timeFrom, uint8_t kind,
                          uint8_t interval = 1, uint16_t param = 0) {
  NOTE_PAD note;
  note.flags = kNoteScheduled | kNoteOpenEnded;
  note.start = zone.DayStart(DayNumber(y, m, d));
  note.end = note.start;
  note.timeFrom = timeFrom;
  note.repeatKind = kind;
  note.repeatInterval = interval;
  note.repeatParam = param;
  return note;
}

inline void EndOn(NOTE_PAD& note, const LocalTime& zone, int64_t y, int m, int d) {
  note.flags &= ~static_cast<uint32_t>(kNoteOpenEnded);
  note.end = zone.DayStart(DayNumber(y, m, d));
}

// Puts the process into a real time zone for one test. Natively the zone is switched in-process
// and restored afterwards; under Windows the C runtime's zone is fixed per process by Wine, so the
// test runs only in the ctest run registered for that zone (ZAVRA_TEST_ZONE names it).
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
#ifdef _WIN32
    const char* current = std::getenv("ZAVRA_TEST_ZONE");
    active_ = current && std::string(current) == zone;
#else
    const std::string file = std::string("/usr/share/zoneinfo/") + zone;
    if (std::FILE* f = std::fopen(file.c_str(), "rb")) {
      std::fclose(f);
    } else {
      return;
    }
    if (const char* old = std::getenv("TZ")) {
      hadOld_ = true;
      old_ = old;
    }
    setenv("TZ", zone, 1);
    RefreshMachineLocalTime();
    active_ = true;
#endif
  }
  ~ZoneGuard() {
#ifndef _WIN32
    if (!active_) return;
    if (hadOld_)
      setenv("TZ", old_.c_str(), 1);
    else
      unsetenv("TZ");
    RefreshMachineLocalTime();
#endif
  }
  ZoneGuard(const ZoneGuard&) = delete;
  ZoneGuard& operator=(const ZoneGuard&) = delete;

  bool Active() const { return active_; }

 private:
  bool active_ = false;
  bool hadOld_ = false;
  std::string old_;
};

#define ZAVRA_IN_ZONE(name)                                                       \
  ::zavra::test::ZoneGuard zoneGuard(name);                                       \
  if (!zoneGuard.Active()) GTEST_SKIP() << "runs only with the process in " << name; \
  const ::zavra::LocalTime& zone = ::zavra::MachineLocalTime()

}  // namespace zavra::test
