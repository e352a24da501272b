#include "pad/PadEntries.h"

#include <algorithm>

#include "notewnd/ScheduleHeader.h"
#include "schedule/Recurrence.h"
#include "store/NoteText.h"

namespace zavra {

namespace {

bool PassesCategory(const NOTE_PAD& note, bool reopen, const PadScope& scope) {
  const CategoryList& categories = *scope.categories;
  if (scope.filter == kFilterAllOfInterest)
    return reopen || (note.flags & kNoteScheduled) || OfInterest(categories, note.category);
  if (scope.filter > 0 && static_cast<uint32_t>(scope.filter) != note.category) {
    // "Unsorted" also gathers the notes whose category is gone.
    return scope.filter == static_cast<int>(kUnsortedCategory) && !categories.Find(note.category);
  }
  return true;
}

// The series' first occurrence: the time of day read on the first day.
int64_t FirstOfSeries(const NOTE_PAD& note, const LocalTime& zone) {
  return zone.TimeOn(zone.DayOfDayStart(note.start), std::clamp(note.timeFrom, 0, 86399));
}

}  // namespace

bool OfInterest(const CategoryList& categories, uint32_t category) {
  return !(categories.Resolve(category).flags & kCateNotOfInterest);
}

std::optional<int64_t> ListedTime(const NOTE_PAD& note, bool reopen, int64_t reopenTime, const PadScope& scope) {
  if (!PassesCategory(note, reopen, scope)) return std::nullopt;
  const PadTerm& term = scope.term;
  if (reopen) return term.Contains(reopenTime) ? std::optional<int64_t>(reopenTime) : std::nullopt;
  if (!(note.flags & kNoteScheduled))
    return term.Contains(note.created) ? std::optional<int64_t>(note.created) : std::nullopt;
  const LocalTime& zone = *scope.zone;
  // All runs from the series' first to its last occurrence: its search bounds stay open.
  const int64_t from = term.all() ? 0 : term.start;
  const int64_t to = term.all() ? 0 : term.end;
  int64_t t = 0;
  bool found = false;
  if (term.relation < 0)
    found = LastOccurrence(note, from, to, &t, zone);
  else if (term.relation > 0)
    found = NextOccurrence(note, from, to, &t, true, zone);
  else
    found = NearestOccurrence(note, scope.now, from, to, &t, zone);
  if (found) return t;
  if (term.all()) return FirstOfSeries(note, zone);
  return std::nullopt;
}

PadRowLook LookOfRow(const PadEntry& entry, const CategoryList& categories, int64_t now, COLORREF greyText,
                     const PadTimeFormat& format, const LocalTime& zone) {
  NOTE_PAD look = entry.note;
  ApplyCategoryDefaults(look, categories.Resolve(look.category), false);
  PadRowLook row;
  row.paper = look.paperColor;
  row.text = look.textColor;
  row.icon = look.icon;
  row.title = entry.Title();

  const LocalFields when = zone.FieldsOf(ClampTime(entry.listed));
  const bool today = when.dayNumber == zone.FieldsOf(ClampTime(now)).dayNumber;
  row.timeText = today ? format.Time(when) : format.Date(when) + u"  " + format.Time(when);
  if (look.repeatKind >= kRepeatDaily && (look.flags & kNoteScheduled)) row.timeText += u"  +";

  if (entry.reopen)
    row.time = ToneToPaper(kPadCyan, row.paper);
  else if (!(look.flags & kNoteScheduled))
    row.time = greyText;
  else if (entry.listed < now)
    row.time = ToneToPaper(kHeaderRed, row.paper);
  else if (entry.listed - now <= ScheduleHeader::kFarAway)
    row.time = ToneToPaper(kHeaderBlue, row.paper);
  else
    row.time = ToneToPaper(kHeaderGreen, row.paper);
  return row;
}

}  // namespace zavra
