// The Recurrence dialog's values: what its controls show for a rule and the rule they give back.
#include <gtest/gtest.h>

#include "schedule/CivilDate.h"
#include "schedule/RepeatEdit.h"
#include "store/NoteRecord.h"

namespace zavra {
namespace {

const int64_t kStart = DayNumber(2026, 3, 11);  // Wednesday, the 2nd Wednesday of March

RepeatSchedule Rule(int kind, int param, int interval = 1) { return {kStart, kStart + 30, false, kind, param, interval}; }

TEST(RepeatEdit, ControlsGiveTheStoredEncodings) {
  struct Case {
    const char* what;
    RepeatFamily family;
    bool byWeekday;
    int day, ordinal, weekday, month, fdw;
    int kind, param;
  } cases[] = {
      // Weekday list indexes count from the first day of the week.
      {"yearly, the last Friday of March", RepeatFamily::kYearly, true, 1, 4, 5, 2, 0, 121, 0x0345},
      {"yearly, day 29 of February", RepeatFamily::kYearly, false, 29, 0, 0, 1, 0, 120, 0x021D},
      {"Monday first: the last Friday", RepeatFamily::kYearly, true, 1, 4, 4, 2, 1, 121, 0x0345},
      {"monthly, the 2nd Tuesday", RepeatFamily::kMonthly, true, 1, 1, 2, 0, 0, 91, 0x12},
      {"monthly, day 31", RepeatFamily::kMonthly, false, 31, 0, 0, 0, 0, 90, 31},
  };
  for (const Case& c : cases) {
    RepeatControls controls = DecodeRepeat(Rule(1, 0), c.fdw);
    controls.family = c.family;
    controls.byWeekday = c.byWeekday;
    controls.day = c.day;
    controls.ordinal = c.ordinal;
    controls.weekday = c.weekday;
    controls.month = c.month;
    const RepeatSchedule s = EncodeRepeat(controls, Rule(1, 0), c.fdw);
    EXPECT_EQ(s.kind, c.kind) << c.what;
    EXPECT_EQ(s.param, c.param) << c.what;
  }
}

TEST(RepeatEdit, EveryRuleOpensAndSavesUnchangedWhateverTheFirstDay) {
  const RepeatSchedule rules[] = {Rule(1, 77, 3),       Rule(30, 5, 2),         Rule(60, 0x12, 2),
                                  Rule(60, 0x41),       Rule(90, 31, 4),        Rule(91, 0x43),
                                  Rule(120, 0x021D, 1), Rule(121, 0x0345, 200), Rule(121, 0x0C06)};
  for (int fdw = 0; fdw < 7; ++fdw)
    for (const RepeatSchedule& rule : rules) {
      const RepeatSchedule back = EncodeRepeat(DecodeRepeat(rule, fdw), rule, fdw);
      EXPECT_EQ(back.kind, rule.kind) << "kind " << rule.kind << " fdw " << fdw;
      EXPECT_EQ(back.param, rule.param) << "kind " << rule.kind << " fdw " << fdw;
      EXPECT_EQ(back.interval, rule.interval) << "kind " << rule.kind << " fdw " << fdw;
    }
}

TEST(RepeatEdit, DamagedValuesOpenAsTheStartDateGivesThem) {
  struct Case {
    const char* what;
    RepeatSchedule rule;
    RepeatFamily family;
    int day, ordinal, weekday, month;
  } cases[] = {
      {"month byte 0", Rule(120, 0x0010), RepeatFamily::kYearly, 16, 1, 3, 2},
      {"month byte 13", Rule(121, 0x0D12), RepeatFamily::kYearly, 10, 1, 2, 2},
      {"ordinal above 4", Rule(91, 0x73), RepeatFamily::kMonthly, 11, 1, 3, 2},
      {"weekday above 6", Rule(121, 0x0319), RepeatFamily::kYearly, 11, 1, 3, 2},
      {"day 0", Rule(90, 0), RepeatFamily::kMonthly, 11, 1, 3, 2},
      {"kind 150 and above", Rule(200, 0x0345), RepeatFamily::kNone, 11, 1, 3, 2},
  };
  for (const Case& c : cases) {
    const RepeatControls controls = DecodeRepeat(c.rule, 0);
    EXPECT_EQ(controls.family, c.family) << c.what;
    EXPECT_EQ(controls.day, c.day) << c.what;
    EXPECT_EQ(controls.ordinal, c.ordinal) << c.what;
    EXPECT_EQ(controls.weekday, c.weekday) << c.what;
    EXPECT_EQ(controls.month, c.month) << c.what;
  }
}

TEST(RepeatEdit, SwitchingFamiliesUsesTheStartAndKeepsWhatNoRecurrenceDoesNotUse) {
  RepeatControls c = DecodeRepeat(Rule(30, 0, 3), 0);
  c.family = RepeatFamily::kMonthly;
  EXPECT_EQ(c.day, 11) << "the start's day of month";
  EXPECT_EQ(EncodeRepeat(c, Rule(30, 0, 3), 0).param, 11);
  c.family = RepeatFamily::kNone;
  c.interval = 0;  // a hidden field is not used
  const RepeatSchedule none = EncodeRepeat(c, Rule(91, 0x43, 5), 0);
  EXPECT_EQ(none.kind, kRepeatNone);
  EXPECT_EQ(none.param, 0x43);
  EXPECT_EQ(none.interval, 5);
}

}  // namespace
}  // namespace zavra
