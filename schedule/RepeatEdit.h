#pragma once
// What the Recurrence dialog's controls show for a rule, and the rule they give back. The
// weekday list and boxes begin on the locale's first day of the week; stored weekdays and
// masks stay Sunday-based.

#include <array>
#include <cstdint>

namespace zavra {

enum class RepeatFamily : int { kNone = 0, kDaily, kWeekly, kMonthly, kYearly };

// The values the dialog edits: the first and last dates (local day numbers), the open-ended
// flag and the rule fields as the note stores them.
struct RepeatSchedule {
  int64_t startDay = 0;
  int64_t endDay = 0;
  bool openEnded = false;
  int kind = 1;
  int param = 0;
  int interval = 1;
};

// What the controls hold. Every list index is a valid selection.
struct RepeatControls {
  int64_t startDay = 0;
  int64_t endDay = 0;
  bool openEnded = false;
  RepeatFamily family = RepeatFamily::kNone;
  int interval = 1;
  std::array<bool, 7> weekdays{};  // the boxes, first day of the week first
  bool byWeekday = false;          // "The" rather than "Day"
  int day = 1;                     // day of month
  int ordinal = 0;                 // 0-3 "1st".."4th", 4 "last"
  int weekday = 0;                 // weekday list index, first day of the week first
  int month = 0;                   // 0 = January
};

// Kinds below 30 and from 150 on have no family of their own.
RepeatFamily FamilyOfKind(int kind);

// Damaged fields (a month of 0 or above 12, an ordinal above 4, a weekday above 6, a day of 0
// or above 31) open as what the start date gives, never as a selection that is not there.
RepeatControls DecodeRepeat(const RepeatSchedule& schedule, int firstDayOfWeek);
// "No Recurrence" keeps the parameter and interval of `previous`.
RepeatSchedule EncodeRepeat(const RepeatControls& controls, const RepeatSchedule& previous, int firstDayOfWeek);

enum class RepeatUnit : int { kDays, kWeeks, kMonths, kYears };

// What each family shows; hidden fields are neither used nor checked.
struct RepeatVisibility {
  RepeatUnit unit = RepeatUnit::kDays;
  bool interval = false;      // "No end date", "Every", the interval with its spin, the unit
  bool weekdays = false;      // the weekday boxes
  bool dayOrWeekday = false;  // "Day" and "The" with the day, ordinal and weekday fields
  bool month = false;
};
RepeatVisibility VisibleFor(RepeatFamily family);
bool LastDayEnabled(RepeatFamily family, bool openEnded);

// Sunday-based weekday at a position of a week that begins on `firstDayOfWeek`, and back.
int WeekdayAt(int position, int firstDayOfWeek);
int PositionOf(int weekday, int firstDayOfWeek);

}  // namespace zavra
