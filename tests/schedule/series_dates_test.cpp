// A series keeps the dates its writer stored wherever it is read, and the store's range filter
// answers as the schedule does in the hour a clock change adds or removes.
#include <gtest/gtest.h>

#include <utility>

#include "schedule/Recurrence.h"
#include "store/NoteFile.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::Utc;

constexpr int kHour = 3600;

TEST(SeriesDates, DayStartsWrittenInAnotherZoneKeepTheirDates) {
  // Offsets east of UTC: Berlin read in New York, New York in Berlin, Tokyo in London.
  const int64_t zones[][2] = {{1 * kHour, -5 * kHour}, {-5 * kHour, 1 * kHour}, {9 * kHour, 0}, {kHour, kHour}};
  for (const auto& z : zones) {
    const test::FixedOffsetZone writer(z[0]), reader(z[1]);
    NOTE_PAD note = test::Scheduled(writer, 2026, 1, 15, 9 * kHour, kRepeatDaily);
    test::EndOn(note, writer, 2026, 1, 29);
    int64_t first = 0, last = 0;
    ASSERT_TRUE(NextOccurrence(note, 0, 0, &first, true, reader));
    ASSERT_TRUE(LastOccurrence(note, 0, 0, &last, reader));
    EXPECT_EQ(first, Utc(2026, 1, 15, 9) - z[1]) << "written at " << z[0] << ", read at " << z[1];
    EXPECT_EQ(last, Utc(2026, 1, 29, 9) - z[1]) << "written at " << z[0] << ", read at " << z[1];
  }
}

TEST(ScheduleZoneNewYork, StoreFilterAgreesWithTheScheduleInTheHourAChangeMoves) {
  ZAVRA_IN_ZONE("America/New_York");
  // 03:30 the day an hour is removed, 03:00 the day one is added.
  const int64_t cases[][4] = {{3, 8, 3 * kHour + 1800, Utc(2026, 3, 8, 7, 30)},
                              {11, 1, 3 * kHour, Utc(2026, 11, 1, 8)}};
  for (const auto& c : cases) {
    NOTE_PAD once = test::Scheduled(zone, 2026, int(c[0]), int(c[1]), int(c[2]), kRepeatNone);
    test::EndOn(once, zone, 2026, int(c[0]), int(c[1]));
    const int64_t at = c[3];
    ASSERT_TRUE(NextOccurrence(once, at, at, nullptr, true, zone)) << "the occurrence is at " << at;
    const std::pair<int, int> ranges[] = {{-1800, 1800}, {0, 0}, {1, 7200}, {-7200, -1}};
    for (const auto& r : ranges) {
      const NoteFilter filter{0, 0, true, at + r.first, at + r.second};
      EXPECT_EQ(NotePassesFilter(once, filter), NextOccurrence(once, at + r.first, at + r.second, nullptr, true, zone))
          << "range [" << r.first << ", " << r.second << "] around " << at;
    }
  }
}

}  // namespace
}  // namespace zavra
