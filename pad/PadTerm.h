#pragma once
// The pad's terms: a day, a week, a month or all time around a given moment, where the term
// lies relative to now, and the step to the neighbouring term. Every bound is a local day start
// (or the second before one), found from dates: days with 23 or 25 hours keep all their hours.
#include <cstdint>

#include "schedule/LocalTime.h"

namespace zavra {

enum class PadTermKind : int { kDay = 0, kWeek = 1, kMonth = 2, kAll = 3 };

// A category's default view is the low byte of its flags; a damaged value opens as Day.
PadTermKind DefaultTermKind(uint32_t categoryFlags);

struct PadTerm {
  PadTermKind kind = PadTermKind::kDay;
  int64_t start = 0;  // first second
  int64_t end = 0;    // last second
  int relation = 0;   // -1 ended before now, 0 holds now, 1 begins after now

  bool Contains(int64_t t) const { return start <= t && t <= end; }
  bool all() const { return kind == PadTermKind::kAll; }
  bool current() const { return relation == 0; }
};

// The term of `kind` that holds `time`; weeks begin on `firstDayOfWeek` (0 = Sunday).
PadTerm MakePadTerm(PadTermKind kind, int64_t time, int64_t now, int firstDayOfWeek,
                    const LocalTime& zone = MachineLocalTime());

// A moment of the previous (direction < 0) or next term; the term's own start for All.
int64_t StepPadTerm(const PadTerm& term, int direction, const LocalTime& zone = MachineLocalTime());

}  // namespace zavra
