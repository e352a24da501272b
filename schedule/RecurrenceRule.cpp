#include "schedule/RecurrenceRule.h"

#include <algorithm>

#include "schedule/CivilDate.h"

namespace zavra {

RecurrenceRule::RecurrenceRule(const NOTE_PAD_FIXED& note, int64_t startDay)
    : startDay_(startDay), n_(std::max<int64_t>(1, note.repeatInterval)) {
  const int kind = note.repeatKind;
  const int low = note.repeatParam & 0xFF;
  ordinal_ = low >> 4;  // above 4 reads as "last" in NthWeekdayDay
  weekday_ = low & 0x0F;
  day_ = low;
  if (kind < 30) {
    shape_ = Shape::kOnce;
  } else if (kind < 60) {
    shape_ = Shape::kDaily;
  } else if (kind < 90) {
    shape_ = Shape::kWeekly;
    mask_ = note.repeatParam & 0x7F;
    possible_ = mask_ != 0;
  } else {
    shape_ = kind < 120 ? Shape::kMonthly : Shape::kYearly;
    byWeekday_ = kind == kRepeatMonthlyByWeekday || kind == kRepeatYearlyByWeekday;
    month_ = note.repeatParam >> 8;
    possible_ = byWeekday_ ? weekday_ <= 6 : day_ >= 1;
    if (shape_ == Shape::kYearly && (month_ < 1 || month_ > 12)) possible_ = false;
  }
}

int RecurrenceRule::DayInMonth(int64_t year, int64_t month) const {
  if (byWeekday_) return NthWeekdayDay(year, weekday_, ordinal_, month);
  return std::min(day_, DaysInMonth(month, year));
}

// Months counted from year 0 January, so that a cycle of n months is plain arithmetic.
int64_t RecurrenceRule::DayOfMonthIndex(int64_t monthIndex) const {
  const int64_t year = FloorDiv(monthIndex, 12);
  const int64_t month = FloorMod(monthIndex, 12) + 1;
  return DayNumber(year, month, DayInMonth(year, month));
}

std::optional<int64_t> RecurrenceRule::NextDate(int64_t day) const {
  if (!possible_) return std::nullopt;
  const int64_t s = startDay_;
  int64_t d = std::max(day, s);
  switch (shape_) {
    case Shape::kOnce:
      if (day > s) return std::nullopt;
      return s;
    case Shape::kDaily: {
      const int64_t r = (d - s) % n_;
      return r == 0 ? d : d + n_ - r;
    }
    case Shape::kWeekly: {
      const int64_t w = (d - s) / 7;
      const int64_t r = w % n_;
      if (r != 0) d = s + (w - r + n_) * 7;
      // Within one active week every weekday comes once, so two weeks' steps always suffice.
      for (int i = 0; i < 14; ++i) {
        if (mask_ & (1 << WeekdayOfDay(d))) return d;
        ++d;
        if ((d - s) % 7 == 0) d += (n_ - 1) * 7;
      }
      return std::nullopt;
    }
    case Shape::kMonthly: {
      const CivilDate from = DateOfDay(d);
      const CivilDate first = DateOfDay(s);
      int64_t index = from.year * 12 + (from.month - 1);
      const int64_t r = FloorMod(index - (first.year * 12 + (first.month - 1)), n_);
      int minDay = from.day;
      if (r != 0) {
        index += n_ - r;
        minDay = 1;
      }
      if (DateOfDay(DayOfMonthIndex(index)).day < minDay) index += n_;
      return DayOfMonthIndex(index);
    }
    case Shape::kYearly: {
      const CivilDate from = DateOfDay(d);
      int64_t year = from.year;
      int minMonth = from.month;
      int minDay = from.day;
      const int64_t r = FloorMod(year - DateOfDay(s).year, n_);
      if (r != 0) {
        year += n_ - r;
        minMonth = 1;
        minDay = 1;
      }
      if (month_ < minMonth || (month_ == minMonth && DayInMonth(year, month_) < minDay)) year += n_;
      return DayNumber(year, month_, DayInMonth(year, month_));
    }
  }
  return std::nullopt;
}

std::optional<int64_t> RecurrenceRule::PrevDate(int64_t day) const {
  const int64_t s = startDay_;
  if (!possible_ || day < s) return std::nullopt;
  int64_t d = day;
  std::optional<int64_t> found;
  switch (shape_) {
    case Shape::kOnce:
      found = s;
      break;
    case Shape::kDaily:
      found = d - (d - s) % n_;
      break;
    case Shape::kWeekly: {
      const int64_t w = (d - s) / 7;
      const int64_t r = w % n_;
      if (r != 0) d = s + (w - r) * 7 + 6;  // last day of the latest active week
      for (int i = 0; i < 14 && d >= s; ++i) {
        if (mask_ & (1 << WeekdayOfDay(d))) {
          found = d;
          break;
        }
        if ((d - s) % 7 == 0) d -= (n_ - 1) * 7;
        --d;
      }
      break;
    }
    case Shape::kMonthly: {
      const CivilDate to = DateOfDay(d);
      const CivilDate first = DateOfDay(s);
      int64_t index = to.year * 12 + (to.month - 1);
      const int64_t r = FloorMod(index - (first.year * 12 + (first.month - 1)), n_);
      int maxDay = to.day;
      if (r != 0) {
        index -= r;
        maxDay = 31;
      }
      if (DateOfDay(DayOfMonthIndex(index)).day > maxDay) index -= n_;
      found = DayOfMonthIndex(index);
      break;
    }
    case Shape::kYearly: {
      const CivilDate to = DateOfDay(d);
      int64_t year = to.year;
      int maxMonth = to.month;
      int maxDay = to.day;
      const int64_t r = FloorMod(year - DateOfDay(s).year, n_);
      if (r != 0) {
        year -= r;
        maxMonth = 12;
        maxDay = 31;
      }
      if (month_ > maxMonth || (month_ == maxMonth && DayInMonth(year, month_) > maxDay)) year -= n_;
      found = DayNumber(year, month_, DayInMonth(year, month_));
      break;
    }
  }
  if (!found || *found < s) return std::nullopt;
  return found;
}

}  // namespace zavra
