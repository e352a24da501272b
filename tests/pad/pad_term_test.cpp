// The pad's terms in a zone with clock changes: bounds from dates, and steps of one date.
#include "tests/pad/PadTestSupport.h"

namespace zavra {
namespace {

using test::Local;
using test::Utc;
using test::Zone;

constexpr int kSunday = 0, kMonday = 1;

TEST(PadTerm, BoundsAreDayStartsWhateverTheDayLength) {
  const int64_t now = Local(2026, 6, 1, 12);
  struct Case {
    const char* what;
    PadTermKind kind;
    int64_t time;
    int firstDay;
    int64_t start, end;
  } cases[] = {
      {"25-hour day", PadTermKind::kDay, Local(2026, 11, 1, 12), kSunday, Utc(2026, 11, 1, 4), Utc(2026, 11, 2, 5) - 1},
      {"23-hour day", PadTermKind::kDay, Local(2026, 3, 8, 1), kSunday, Utc(2026, 3, 8, 5), Utc(2026, 3, 9, 4) - 1},
      {"week from Monday over the autumn change", PadTermKind::kWeek, Local(2026, 11, 1, 23, 30), kMonday,
       Utc(2026, 10, 26, 4), Utc(2026, 11, 2, 5) - 1},
      {"week from Sunday over the spring change", PadTermKind::kWeek, Local(2026, 3, 12), kSunday,
       Utc(2026, 3, 8, 5), Utc(2026, 3, 15, 4) - 1},
      {"November", PadTermKind::kMonth, Local(2026, 11, 30, 23), kSunday, Utc(2026, 11, 1, 4), Utc(2026, 12, 1, 5) - 1},
      {"March", PadTermKind::kMonth, Local(2026, 3, 1), kSunday, Utc(2026, 3, 1, 5), Utc(2026, 4, 1, 4) - 1},
  };
  for (const Case& c : cases) {
    const PadTerm term = MakePadTerm(c.kind, c.time, now, c.firstDay, Zone());
    EXPECT_EQ(term.start, c.start) << c.what;
    EXPECT_EQ(term.end, c.end) << c.what;
  }
  EXPECT_EQ(Utc(2026, 11, 2, 5) - Utc(2026, 11, 1, 4), 25 * 3600) << "the autumn day keeps its 25 hours";
  const PadTerm all = MakePadTerm(PadTermKind::kAll, now, now, kSunday, Zone());
  EXPECT_EQ(all.start, 0);
  EXPECT_EQ(all.end, INT64_MAX);
  EXPECT_TRUE(all.current());
}

TEST(PadTerm, RelationToNow) {
  const int64_t now = Local(2026, 5, 13, 11);
  EXPECT_EQ(MakePadTerm(PadTermKind::kDay, Local(2026, 5, 12, 23, 59), now, 0, Zone()).relation, -1);
  EXPECT_EQ(MakePadTerm(PadTermKind::kDay, Local(2026, 5, 13), now, 0, Zone()).relation, 0);
  EXPECT_EQ(MakePadTerm(PadTermKind::kDay, Local(2026, 5, 14), now, 0, Zone()).relation, 1);
  EXPECT_EQ(MakePadTerm(PadTermKind::kMonth, Local(2026, 5, 1), now, 0, Zone()).relation, 0);
}

TEST(PadTerm, NextAndPreviousStepOneDateAcrossBothChanges) {
  for (const auto& [month, day] : {std::pair{3, 7}, std::pair{10, 31}}) {
    PadTerm term = MakePadTerm(PadTermKind::kDay, Local(2026, month, day, 9), 0, 0, Zone());
    for (int step = 1; step <= 3; ++step) {
      term = MakePadTerm(PadTermKind::kDay, StepPadTerm(term, +1, Zone()), 0, 0, Zone());
      const LocalFields f = Zone().FieldsOf(term.start);
      EXPECT_EQ(f.dayNumber, DayNumber(2026, month, day) + step) << "next from " << month << "/" << day;
      EXPECT_EQ(f.secondOfDay, 0);
    }
    for (int step = 2; step >= 0; --step) {
      term = MakePadTerm(PadTermKind::kDay, StepPadTerm(term, -1, Zone()), 0, 0, Zone());
      EXPECT_EQ(Zone().FieldsOf(term.start).dayNumber, DayNumber(2026, month, day) + step) << "previous";
    }
  }
  const PadTerm week = MakePadTerm(PadTermKind::kWeek, Local(2026, 3, 4), 0, kSunday, Zone());
  EXPECT_EQ(StepPadTerm(week, +1, Zone()), Local(2026, 3, 8));
  EXPECT_EQ(StepPadTerm(MakePadTerm(PadTermKind::kWeek, Local(2026, 3, 10), 0, kSunday, Zone()), -1, Zone()),
            Local(2026, 3, 1));
  const PadTerm october = MakePadTerm(PadTermKind::kMonth, Local(2026, 10, 20), 0, kSunday, Zone());
  EXPECT_EQ(StepPadTerm(october, +1, Zone()), Local(2026, 11, 1));
  EXPECT_EQ(StepPadTerm(october, -1, Zone()), Local(2026, 9, 1));
  const PadTerm january = MakePadTerm(PadTermKind::kMonth, Local(2026, 1, 5), 0, kSunday, Zone());
  EXPECT_EQ(StepPadTerm(january, -1, Zone()), Local(2025, 12, 1));
  const PadTerm all = MakePadTerm(PadTermKind::kAll, 5, 5, 0, Zone());
  EXPECT_EQ(StepPadTerm(all, +1, Zone()), all.start) << "All does not step";
}

TEST(PadTerm, DefaultViewOfACategory) {
  const std::pair<uint32_t, PadTermKind> cases[] = {
      {0, PadTermKind::kDay},     {1, PadTermKind::kWeek},           {2, PadTermKind::kMonth},
      {3, PadTermKind::kAll},     {4, PadTermKind::kDay},            {0xFF, PadTermKind::kDay},
      {0x502, PadTermKind::kMonth}};
  for (const auto& [flags, kind] : cases) EXPECT_EQ(DefaultTermKind(flags), kind) << flags;
}

}  // namespace
}  // namespace zavra
