#include <gtest/gtest.h>

#include <ctime>
#include <random>

#include "schedule/LocalTime.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::Utc;

// The C runtime's own reading of t, as the reference for the kept offsets.
bool RuntimeFields(int64_t t, std::tm& tm) {
#ifdef _WIN32
  const __time64_t value = t;
  return _localtime64_s(&tm, &value) == 0;
#else
  const std::time_t value = static_cast<std::time_t>(t);
  return localtime_r(&value, &tm) != nullptr;
#endif
}

// Every second around each change of the year, and random times over 1970-2100, read the same
// through the kept offsets as through the runtime.
void CompareWithRuntime(const LocalTime& zone, const std::vector<int64_t>& changes) {
  std::vector<int64_t> times;
  for (int64_t c : changes)
    for (int64_t d = -3; d <= 3; ++d) times.push_back(c + d);
  std::mt19937_64 rng(11);
  for (int i = 0; i < 20000; ++i) times.push_back(static_cast<int64_t>(rng() % 4102444800ULL));
  for (int64_t t : times) {
    std::tm tm{};
    ASSERT_TRUE(RuntimeFields(t, tm)) << t;
    const LocalFields f = zone.FieldsOf(t);
    ASSERT_TRUE(f.year == tm.tm_year + 1900 && f.month == tm.tm_mon + 1 && f.day == tm.tm_mday &&
                f.weekday == tm.tm_wday && f.secondOfDay == tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec)
        << "at " << t << ": " << test::Show(t, zone) << " but the runtime reads " << tm.tm_year + 1900 << "-"
        << tm.tm_mon + 1 << "-" << tm.tm_mday << " " << tm.tm_hour << ":" << tm.tm_min << ":" << tm.tm_sec;
  }
}

// TimeOn inverts FieldsOf, except for the second pass of a repeated hour, which maps to the first.
void CheckTimeOnInvertsFields(const LocalTime& zone) {
  std::mt19937_64 rng(12);
  for (int i = 0; i < 20000; ++i) {
    const int64_t t = static_cast<int64_t>(rng() % 4102444800ULL);
    const LocalFields f = zone.FieldsOf(t);
    const int64_t back = zone.TimeOn(f.dayNumber, f.secondOfDay);
    if (back == t) continue;
    ASSERT_LT(back, t) << "only a repeated reading may map elsewhere, and then to its first time: " << t;
    const LocalFields g = zone.FieldsOf(back);
    ASSERT_TRUE(g.dayNumber == f.dayNumber && g.secondOfDay == f.secondOfDay) << t;
    ASSERT_LE(t - back, 3 * 3600) << t;
  }
}

TEST(ScheduleZoneNewYork, KeptOffsetsAgreeWithTheRuntime) {
  ZAVRA_IN_ZONE("America/New_York");
  CompareWithRuntime(zone, {Utc(2026, 3, 8, 7), Utc(2026, 11, 1, 6), Utc(1990, 4, 1, 7), Utc(2090, 11, 5, 6)});
  CheckTimeOnInvertsFields(zone);
}

TEST(ScheduleZoneBerlin, KeptOffsetsAgreeWithTheRuntime) {
  ZAVRA_IN_ZONE("Europe/Berlin");
  CompareWithRuntime(zone, {Utc(2026, 3, 29, 1), Utc(2026, 10, 25, 1), Utc(2080, 3, 31, 1)});
  CheckTimeOnInvertsFields(zone);
}

TEST(ScheduleZoneHavana, KeptOffsetsAgreeWithTheRuntime) {
  ZAVRA_IN_ZONE("America/Havana");
  CompareWithRuntime(zone, {Utc(2026, 3, 8, 5), Utc(2026, 11, 1, 5)});
  CheckTimeOnInvertsFields(zone);
}

TEST(LocalTime, FixedZoneArithmetic) {
  const test::FixedOffsetZone zone(-3 * 3600 - 30 * 60);
  const LocalFields f = zone.FieldsOf(Utc(2026, 1, 1, 2));
  EXPECT_EQ(f.year, 2025);
  EXPECT_EQ(f.month, 12);
  EXPECT_EQ(f.day, 31);
  EXPECT_EQ(f.weekday, 3);
  EXPECT_EQ(f.secondOfDay, 22 * 3600 + 30 * 60);
  EXPECT_EQ(zone.DayStart(DayNumber(2026, 1, 1)), Utc(2026, 1, 1, 3, 30));
  EXPECT_EQ(zone.DayStartAfter(Utc(2026, 1, 1, 2), 1), Utc(2026, 1, 1, 3, 30));
  EXPECT_EQ(zone.DayStartAfter(Utc(2026, 1, 1, 2), -30), Utc(2025, 12, 1, 3, 30));
  EXPECT_EQ(zone.TimeOn(DayNumber(2026, 1, 1), -7), Utc(2026, 1, 1, 3, 30)) << "a reading is held to its day";
}

TEST(LocalTime, TimesOutsideTheSupportedRangeReadAsItsEnds) {
  const test::FixedOffsetZone zone(0);
  EXPECT_EQ(zone.FieldsOf(INT64_MIN).dayNumber, zone.FieldsOf(kEarliestTime).dayNumber);
  EXPECT_EQ(zone.FieldsOf(INT64_MAX).dayNumber, zone.FieldsOf(kLatestTime).dayNumber);
  EXPECT_EQ(zone.FieldsOf(INT64_MAX).year, 9999);
  EXPECT_EQ(zone.FieldsOf(INT64_MIN).year, 1);
  EXPECT_EQ(zone.TimeOn(INT64_MAX, 0), zone.TimeOn(DayNumber(9999, 12, 29), 0));
  // the machine's zone must be as safe with any value
  MachineLocalTime().FieldsOf(INT64_MIN);
  MachineLocalTime().FieldsOf(INT64_MAX);
  MachineLocalTime().TimeOn(INT64_MIN, INT32_MIN);
}

#ifndef _WIN32
TEST(LocalTime, RefreshingForgetsTheOldZone) {
  int64_t newYork = 0;
  int64_t berlin = 0;
  {
    test::ZoneGuard guard("America/New_York");
    if (!guard.Active()) GTEST_SKIP() << "no zone data";
    newYork = MachineLocalTime().UtcOffset(Utc(2026, 1, 15));
  }
  {
    test::ZoneGuard guard("Europe/Berlin");
    if (!guard.Active()) GTEST_SKIP() << "no zone data";
    berlin = MachineLocalTime().UtcOffset(Utc(2026, 1, 15));
  }
  EXPECT_EQ(newYork, -5 * 3600);
  EXPECT_EQ(berlin, 3600);
}
#endif

}  // namespace
}  // namespace zavra
