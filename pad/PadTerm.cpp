#include "pad/PadTerm.h"

#include <limits>

#include "schedule/CivilDate.h"

namespace zavra {

PadTermKind DefaultTermKind(uint32_t categoryFlags) {
  const uint32_t view = categoryFlags & 0xFF;
  return view <= 3 ? static_cast<PadTermKind>(view) : PadTermKind::kDay;
}

PadTerm MakePadTerm(PadTermKind kind, int64_t time, int64_t now, int firstDayOfWeek, const LocalTime& zone) {
  PadTerm term;
  term.kind = kind;
  const LocalFields f = zone.FieldsOf(ClampTime(time));
  int64_t firstDay = f.dayNumber, nextDay = f.dayNumber + 1;
  switch (kind) {
    case PadTermKind::kDay:
      break;
    case PadTermKind::kWeek:
      firstDay = f.dayNumber - FloorMod(f.weekday - firstDayOfWeek, 7);
      nextDay = firstDay + 7;
      break;
    case PadTermKind::kMonth:
      firstDay = DayNumber(f.year, f.month, 1);
      nextDay = DayNumber(f.year, f.month + 1, 1);
      break;
    case PadTermKind::kAll:
      term.start = 0;
      term.end = std::numeric_limits<int64_t>::max();
      term.relation = 0;
      return term;
  }
  term.start = zone.DayStart(firstDay);
  term.end = zone.DayStart(nextDay) - 1;
  term.relation = term.end < now ? -1 : term.start > now ? 1 : 0;
  return term;
}

int64_t StepPadTerm(const PadTerm& term, int direction, const LocalTime& zone) {
  if (term.all() || direction == 0) return term.start;
  const LocalFields f = zone.FieldsOf(ClampTime(term.start));
  const int64_t sign = direction < 0 ? -1 : 1;
  switch (term.kind) {
    case PadTermKind::kDay:
      return zone.DayStart(f.dayNumber + sign);
    case PadTermKind::kWeek:
      return zone.DayStart(f.dayNumber + 7 * sign);
    default:
      return zone.DayStart(DayNumber(f.year, f.month + sign, 1));
  }
}

}  // namespace zavra
