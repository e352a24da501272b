// Records come from files and may hold any bytes: every operation must stay defined (UBSan),
// finish quickly and keep its contract.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <limits>
#include <random>

#include "fuzz/Mutator.h"
#include "schedule/Recurrence.h"
#include "schedule/RecurrenceText.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

// Runs every operation on one record and window and checks what the contracts promise.
void Exercise(const NOTE_PAD& note, int64_t from, int64_t to, const LocalTime& zone) {
  int64_t t = 0;
  for (bool honour : {true, false}) {
    if (NextOccurrence(note, from, to, &t, honour, zone)) {
      if (from != 0) {
        ASSERT_GE(t, from) << "forward result before from";
      }
      if (to != 0) {
        ASSERT_LE(t, to) << "forward result after to";
      }
    }
  }
  if (LastOccurrence(note, from, to, &t, zone)) {
    if (from != 0) {
      ASSERT_GE(t, from) << "backward result before from";
    }
    if (to != 0) {
      ASSERT_LE(t, to) << "backward result after to";
    }
  }
  NearestOccurrence(note, from, to, from, &t, zone);
  NearestOccurrence(note, to, 0, 0, &t, zone);
  OccurrenceFrom(note, from, &t, zone);
  OverlapsRange(note, from, to, zone);
  IsExcludedDay(note, to, zone);
  const CalendarNames names;
  DescribeRecurrence(note.repeatKind, note.repeatParam, note.repeatInterval, names);
}

NOTE_PAD FromBytes(const fuzz::Bytes& bytes, int64_t& from, int64_t& to) {
  NOTE_PAD note;
  NOTE_PAD_FIXED& fixed = note;
  if (!bytes.empty()) std::memcpy(&fixed, bytes.data(), std::min(bytes.size(), sizeof fixed));
  size_t at = sizeof fixed;
  auto take64 = [&](int64_t& v) {
    if (at + 8 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 8);
    at += 8;
  };
  take64(from);
  take64(to);
  for (; at + 4 <= bytes.size(); at += 4) {
    uint32_t key;
    std::memcpy(&key, bytes.data() + at, 4);
    note.excludes.push_back(key);
  }
  return note;
}

fuzz::Bytes ToBytes(const NOTE_PAD& note, int64_t from, int64_t to) {
  fuzz::Bytes b(sizeof(NOTE_PAD_FIXED) + 16 + 4 * note.excludes.size());
  std::memcpy(b.data(), static_cast<const NOTE_PAD_FIXED*>(&note), sizeof(NOTE_PAD_FIXED));
  std::memcpy(b.data() + sizeof(NOTE_PAD_FIXED), &from, 8);
  std::memcpy(b.data() + sizeof(NOTE_PAD_FIXED) + 8, &to, 8);
  if (!note.excludes.empty())
    std::memcpy(b.data() + sizeof(NOTE_PAD_FIXED) + 16, note.excludes.data(), 4 * note.excludes.size());
  return b;
}

TEST(RecurrenceHostile, ExtremeFieldsOfEveryRuleKind) {
  const test::FixedOffsetZone fixed(-7 * 3600);
  const int64_t times[] = {kMin, kMin + 1, -62135596800 - 1, -1, 0, 1, 1'800'000'000, 32503680000, 253402300800, kMax - 1, kMax};
  const int32_t timesOfDay[] = {std::numeric_limits<int32_t>::min(), -1, 0, 86399, 86400, std::numeric_limits<int32_t>::max()};
  const uint8_t kinds[] = {0, 1, 29, 30, 59, 60, 89, 90, 91, 119, 120, 121, 149, 150, 255};
  const uint16_t params[] = {0, 0x7F, 0x80, 0x4F, 0xFF, 0x0C1F, 0x0D05, 0xFFFF, 0x0245};
  const uint8_t intervals[] = {0, 1, 255};
  std::mt19937 rng(99);
  const auto started = std::chrono::steady_clock::now();
  for (uint8_t kind : kinds)
    for (uint16_t param : params)
      for (uint8_t interval : intervals) {
        NOTE_PAD note;
        note.flags = kNoteScheduled | (rng() % 2 ? kNoteOpenEnded : 0u);
        note.repeatKind = kind;
        note.repeatParam = param;
        note.repeatInterval = interval;
        note.start = times[rng() % std::size(times)];
        note.end = times[rng() % std::size(times)];
        note.timeFrom = timesOfDay[rng() % std::size(timesOfDay)];
        note.excludes = {0, 0xFFFFFFFF, DateKey(2027, 1, 1), DateKey(0, 0, 0), DateKey(2026, 13, 40)};
        const int64_t from = times[rng() % std::size(times)];
        const int64_t to = times[rng() % std::size(times)];
        Exercise(note, from, to, fixed);
        Exercise(note, from, to, MachineLocalTime());
        if (HasFatalFailure()) return;
      }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_LT(seconds, 5.0) << "searches on extreme records must not walk";
}

TEST(RecurrenceHostile, AHugeExclusionListStaysCheap) {
  // Every day for 30 years struck out of a daily series: the search gives up after the list,
  // never walks past it, and still finds the first free day.
  const test::FixedOffsetZone zone(0);
  NOTE_PAD note = test::Scheduled(zone, 2000, 1, 1, 0, kRepeatDaily);
  for (int64_t day = DayNumber(2000, 1, 1); day < DayNumber(2030, 1, 1); ++day) {
    const CivilDate d = DateOfDay(day);
    note.excludes.push_back(DateKey(int(d.year), d.month, d.day));
  }
  int64_t t = 0;
  ASSERT_TRUE(NextOccurrence(note, 0, 0, &t, true, zone));
  EXPECT_EQ(t, test::Utc(2030, 1, 1));
  ASSERT_TRUE(LastOccurrence(note, 0, test::Utc(2030, 6, 1), &t, zone));
  EXPECT_EQ(t, test::Utc(2030, 6, 1));
  EXPECT_FALSE(LastOccurrence(note, 0, test::Utc(2029, 12, 31, 12), &t, zone));
}

TEST(RecurrenceHostile, MutatedRecordsFromAFile) {
  const test::FixedOffsetZone zone(3600);
  std::vector<fuzz::Bytes> seeds;
  const uint8_t kinds[] = {1, 30, 60, 90, 91, 120, 121};
  for (uint8_t kind : kinds) {
    NOTE_PAD note = test::Scheduled(zone, 2026, 3, 8, 9 * 3600, kind, 2, kind == 121 ? 0x0345 : 0x1F);
    note.excludes = {DateKey(2026, 3, 22), DateKey(2026, 4, 8)};
    seeds.push_back(ToBytes(note, test::Utc(2026, 3, 1), test::Utc(2027, 3, 1)));
  }
  fuzz::RunMutations(seeds, 20000, 4242, [&](const fuzz::Bytes& bytes) {
    int64_t from = 0;
    int64_t to = 0;
    const NOTE_PAD note = FromBytes(bytes, from, to);
    Exercise(note, from, to, zone);
  });
}

}  // namespace
}  // namespace zavra
