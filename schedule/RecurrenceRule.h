#pragma once
// A note's recurrence rule on calendar dates: which dates belong to the series. Each step jumps
// straight to the right cycle, so the cost does not depend on how far a query lies from the start.

#include <cstdint>
#include <optional>

#include "store/NoteRecord.h"

namespace zavra {

class RecurrenceRule {
 public:
  // startDay is the local date of the note's start (a day number).
  RecurrenceRule(const NOTE_PAD_FIXED& note, int64_t startDay);

  bool Repeats() const { return shape_ != Shape::kOnce; }
  // False for a rule that can never occur (no weekday, day 0, month outside 1-12, weekday above 6).
  bool Possible() const { return possible_; }
  int64_t StartDay() const { return startDay_; }

  // The first series date on or after day, and the last on or before it.
  std::optional<int64_t> NextDate(int64_t day) const;
  std::optional<int64_t> PrevDate(int64_t day) const;

 private:
  enum class Shape { kOnce, kDaily, kWeekly, kMonthly, kYearly };

  int DayInMonth(int64_t year, int64_t month) const;
  int64_t DayOfMonthIndex(int64_t monthIndex) const;

  Shape shape_ = Shape::kOnce;
  bool possible_ = true;
  int64_t startDay_ = 0;
  int64_t n_ = 1;
  int mask_ = 0;          // weekly: Sunday = bit 0
  bool byWeekday_ = false;  // monthly and yearly: k-th weekday rather than a day number
  int ordinal_ = 0;
  int weekday_ = 0;
  int day_ = 1;
  int month_ = 1;  // yearly
};

}  // namespace zavra
