// A series' dates are those of the day starts the writer stored, wherever the note is read; the
// store's range filter gives the schedule's answer on the days the clock changes.
#include <gtest/gtest.h>

#include "schedule/Recurrence.h"
#include "store/NoteFile.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::FixedOffsetZone;
using test::Utc;

constexpr int kHour = 3600;

TEST(SeriesDates, DayStartsWrittenInAnotherZoneKeepTheirDates) {
  struct Case {
    const char* what;
    int64_t writer, reader;  // offsets east of UTC
  };
  const Case cases[] = {
      {"Berlin read in New York", 1 * kHour, -5 * kHour},
      {"New York read in Berlin", -5 * kHour, 1 * kHour},
      {"Tokyo read in London", 9 * kHour, 0},
      {"the writer's own zone", 1 * kHour, 1 * kHour},
  };
  for (const Case& c : cases) {
    const FixedOffsetZone writer(c.writer), reader(c.reader);
    // Daily from 2026-01-15 to 2026-01-29 at 09:00, written where the writer lives.
    NOTE_PAD note = test::Scheduled(writer, 2026, 1, 15, 9 * kHour, kRepeatDaily);
    test::EndOn(note, writer, 2026, 1, 29);
    int64_t first = 0, last = 0;
    ASSERT_TRUE(NextOccurrence(note, 0, 0, &first, true, reader)) << c.what;
    ASSERT_TRUE(LastOccurrence(note, 0, 0, &last, reader)) << c.what;
    EXPECT_EQ(first, Utc(2026, 1, 15, 9) - c.reader) << c.what << ": 09:00 on the 15th, reader's clock";
    EXPECT_EQ(last, Utc(2026, 1, 29, 9) - c.reader) << c.what;
  }
}

TEST(ScheduleZoneNewYork, StoreFilterAgreesWithTheScheduleInTheHourAChangeMoves) {
  ZAVRA_IN_ZONE("America/New_York");
  struct Case {
    const char* what;
    int m, d, timeOfDay;
    int64_t occurrence;  // UTC
  };
  const Case cases[] = {
      {"03:30 on the day an hour is removed", 3, 8, 3 * kHour + 30 * 60, Utc(2026, 3, 8, 7, 30)},
      {"03:00 on the day an hour is added", 11, 1, 3 * kHour, Utc(2026, 11, 1, 8)},
  };
  for (const Case& c : cases) {
    NOTE_PAD once = test::Scheduled(zone, 2026, c.m, c.d, c.timeOfDay, kRepeatNone);
    once.flags &= ~static_cast<uint32_t>(kNoteOpenEnded);
    int64_t at = 0;
    ASSERT_TRUE(NextOccurrence(once, 0, 0, &at, true, zone)) << c.what;
    EXPECT_EQ(at, c.occurrence) << c.what;
    const int64_t ranges[][2] = {{at - 1800, at + 1800}, {at, at}, {at + 1, at + 7200}, {at - 7200, at - 1}};
    for (const auto& r : ranges) {
      const bool model = NextOccurrence(once, r[0], r[1], nullptr, true, zone);
      const NoteFilter filter{0, 0, true, r[0], r[1]};
      EXPECT_EQ(NotePassesFilter(once, filter), model) << c.what << " in [" << r[0] - at << ", " << r[1] - at << "]";
    }
  }
}

}  // namespace
}  // namespace zavra
