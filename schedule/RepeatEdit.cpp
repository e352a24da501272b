#include "schedule/RepeatEdit.h"

#include <algorithm>

#include "schedule/CivilDate.h"
#include "store/NoteRecord.h"

namespace zavra {

RepeatFamily FamilyOfKind(int kind) {
  if (kind < 30 || kind >= 150) return RepeatFamily::kNone;
  if (kind < 60) return RepeatFamily::kDaily;
  if (kind < 90) return RepeatFamily::kWeekly;
  if (kind < 120) return RepeatFamily::kMonthly;
  return RepeatFamily::kYearly;
}

int WeekdayAt(int position, int firstDayOfWeek) { return static_cast<int>(FloorMod(firstDayOfWeek + position, 7)); }

int PositionOf(int weekday, int firstDayOfWeek) { return static_cast<int>(FloorMod(weekday - firstDayOfWeek, 7)); }

RepeatControls DecodeRepeat(const RepeatSchedule& s, int fdw) {
  RepeatControls c;
  c.startDay = s.startDay;
  c.endDay = s.endDay;
  c.openEnded = s.openEnded;
  c.interval = s.interval;
  c.family = FamilyOfKind(s.kind);

  const CivilDate start = DateOfDay(s.startDay);
  c.day = start.day;
  c.month = start.month - 1;
  const int low = s.param & 0xFF;
  const int high = (s.param >> 8) & 0xFF;
  bool storedWeekday = false;
  int ordinal = 0;
  int weekday = 0;
  if (c.family == RepeatFamily::kMonthly || c.family == RepeatFamily::kYearly) {
    if (c.family == RepeatFamily::kYearly && high >= 1 && high <= 12) c.month = high - 1;
    if (s.kind == kRepeatMonthlyByWeekday || s.kind == kRepeatYearlyByWeekday) {
      c.byWeekday = true;
      if ((low >> 4) <= 4 && (low & 0x0F) <= 6) {
        ordinal = low >> 4;
        weekday = low & 0x0F;
        storedWeekday = true;
      }
    } else if (low >= 1 && low <= 31) {
      c.day = low;
    }
  }
  if (storedWeekday) {
    c.day = NthWeekdayDay(start.year, weekday, ordinal, start.month);
  } else if (const auto at = NthWeekdayOf(start.year, start.month, start.day)) {
    ordinal = at->k;
    weekday = at->weekday;
  }
  c.ordinal = ordinal;
  c.weekday = PositionOf(weekday, fdw);
  for (int i = 0; i < 7; ++i)
    c.weekdays[static_cast<size_t>(i)] = c.family == RepeatFamily::kWeekly
                                             ? (s.param >> WeekdayAt(i, fdw) & 1) != 0
                                             : WeekdayAt(i, fdw) == weekday;
  return c;
}

RepeatSchedule EncodeRepeat(const RepeatControls& c, const RepeatSchedule& previous, int fdw) {
  RepeatSchedule s = previous;
  s.startDay = c.startDay;
  s.endDay = c.endDay;
  s.openEnded = c.openEnded;
  if (c.family == RepeatFamily::kNone) {
    s.kind = kRepeatNone;
    return s;
  }
  s.interval = c.interval;
  const int weekday = WeekdayAt(std::clamp(c.weekday, 0, 6), fdw);
  const int byWeekday = std::clamp(c.ordinal, 0, 4) << 4 | weekday;
  const int day = std::clamp(c.day, 1, 31);
  const int month = std::clamp(c.month, 0, 11) + 1;
  switch (c.family) {
    case RepeatFamily::kDaily:
      s.kind = kRepeatDaily;
      break;
    case RepeatFamily::kWeekly:
      s.kind = kRepeatWeekly;
      s.param = 0;
      for (int i = 0; i < 7; ++i)
        if (c.weekdays[static_cast<size_t>(i)]) s.param |= 1 << WeekdayAt(i, fdw);
      break;
    case RepeatFamily::kMonthly:
      s.kind = c.byWeekday ? kRepeatMonthlyByWeekday : kRepeatMonthlyByDay;
      s.param = c.byWeekday ? byWeekday : day;
      break;
    default:
      s.kind = c.byWeekday ? kRepeatYearlyByWeekday : kRepeatYearlyByDay;
      s.param = month << 8 | (c.byWeekday ? byWeekday : day);
      break;
  }
  return s;
}

RepeatVisibility VisibleFor(RepeatFamily family) {
  RepeatVisibility v;
  switch (family) {
    case RepeatFamily::kNone:
      break;
    case RepeatFamily::kDaily:
      v.interval = true;
      break;
    case RepeatFamily::kWeekly:
      v.unit = RepeatUnit::kWeeks;
      v.interval = v.weekdays = true;
      break;
    case RepeatFamily::kMonthly:
      v.unit = RepeatUnit::kMonths;
      v.interval = v.dayOrWeekday = true;
      break;
    case RepeatFamily::kYearly:
      v.unit = RepeatUnit::kYears;
      v.interval = v.dayOrWeekday = v.month = true;
      break;
  }
  return v;
}

bool LastDayEnabled(RepeatFamily family, bool openEnded) { return family == RepeatFamily::kNone || !openEnded; }

}  // namespace zavra
