#include "schedule/CalendarLayout.h"

#include <algorithm>
#include <tuple>

#include "schedule/Recurrence.h"
#include "schedule/RecurrenceText.h"
#include "store/NoteText.h"

namespace zavra {

namespace {

bool IsScheduled(const NOTE_PAD& note) { return (note.flags & kNoteScheduled) != 0; }
bool Repeats(const NOTE_PAD& note) { return note.repeatKind >= kRepeatDaily; }

const SlotCell kFreeCell{};

}  // namespace

CalendarMonth MakeMonth(int64_t year, int64_t month, int64_t now, const LocalTime& zone) {
  // Years the local-time interface can reach; a month beyond reads as the nearest end.
  const int64_t index = std::clamp<int64_t>(year * 12 + (month - 1), 1 * 12, 9998 * 12 + 11);
  CalendarMonth m;
  m.year = FloorDiv(index, 12);
  m.month = static_cast<int>(FloorMod(index, 12)) + 1;
  m.firstDay = DayNumber(m.year, m.month, 1);
  m.firstWeekday = WeekdayOfDay(m.firstDay);
  m.days = DaysInMonth(m.month, m.year);
  m.start = zone.DayStart(m.firstDay);
  m.end = zone.DayStart(m.firstDay + m.days) - 1;
  const LocalFields today = zone.FieldsOf(now);
  const int64_t todayIndex = today.year * 12 + (today.month - 1);
  m.relation = index < todayIndex ? -1 : index > todayIndex ? 1 : 0;
  m.today = m.relation == 0 ? today.day : 0;
  return m;
}

CalendarMonth MonthOf(int64_t time, int64_t now, const LocalTime& zone) {
  const LocalFields f = zone.FieldsOf(time);
  return MakeMonth(f.year, f.month, now, zone);
}

CalendarMonth ShiftMonth(const CalendarMonth& month, int delta, int64_t now, const LocalTime& zone) {
  return MakeMonth(month.year, static_cast<int64_t>(month.month) + delta, now, zone);
}

// ---------------------------------------------------------------- layout

const SlotCell& MonthLayout::Cell(int day, int slot) const {
  if (day < 1 || day > kCalendarMaxDays || slot < 1 || slot > kCalendarSlots) return kFreeCell;
  return cells_[static_cast<size_t>(day - 1)][static_cast<size_t>(slot - 1)];
}

int MonthLayout::DayTop(int day) const {
  if (day < 1 || day > kCalendarMaxDays) return 0;
  return dayTop_[static_cast<size_t>(day - 1)];
}

int MonthLayout::SlotOf(int day, uint32_t noteId) const {
  for (int slot = 1; slot <= DayTop(day); ++slot) {
    const SlotCell& cell = Cell(day, slot);
    if (cell.entry >= 0 && entries_[static_cast<size_t>(cell.entry)].note.id == noteId) return slot;
  }
  return 0;
}

std::optional<size_t> MonthLayout::FindEntry(uint32_t noteId) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].note.id == noteId) return i;
  return std::nullopt;
}

bool MonthLayout::Free(int day, int slot) const { return Cell(day, slot).entry < 0; }

int MonthLayout::LowestFreeSlot(int firstDay, int lastDay) const {
  for (int slot = 1; slot <= kCalendarSlots; ++slot) {
    bool free = true;
    for (int day = firstDay; day <= lastDay && free; ++day) free = Free(day, slot);
    if (free) return slot;
  }
  return 0;
}

void MonthLayout::Place(size_t entry, int day, int slot, bool begins, bool ends, bool excluded) {
  SlotCell& cell = cells_[static_cast<size_t>(day - 1)][static_cast<size_t>(slot - 1)];
  cell = SlotCell{static_cast<int>(entry), begins, ends, excluded};
  int& top = dayTop_[static_cast<size_t>(day - 1)];
  top = std::max(top, slot);
  CalendarEntry& e = entries_[entry];
  if (e.slot == 0 || slot < e.slot) e.slot = slot;
}

void MonthLayout::LayRepeating(size_t index, const CalendarMonth& month, const LocalTime& zone) {
  // Walked with the recurrence model: it steps by calendar dates and finishes for any stored
  // interval, 0 included.
  const NOTE_PAD& note = entries_[index].note;
  int64_t from = month.start;
  for (int guard = 0; guard <= kCalendarMaxDays * 2 && from <= month.end; ++guard) {
    int64_t at = 0;
    if (!NextOccurrence(note, from, month.end, &at, false, zone)) break;
    const int64_t dayNumber = zone.FieldsOf(at).dayNumber;
    if (month.Contains(dayNumber)) {
      const int day = month.DayOf(dayNumber);
      if (const int slot = LowestFreeSlot(day, day)) Place(index, day, slot, true, true, IsExcludedDay(note, at, zone));
    }
    from = std::max(at + 1, zone.DayStart(dayNumber + 1));
  }
}

void MonthLayout::Build(std::vector<NOTE_PAD> notes, const CalendarMonth& month, const CategoryList& categories,
                        const LocalTime& zone) {
  std::sort(notes.begin(), notes.end(), [](const NOTE_PAD& a, const NOTE_PAD& b) {
    const bool sa = IsScheduled(a), sb = IsScheduled(b);
    if (sa != sb) return sa;
    if (sa) return std::tie(a.timeFrom, a.id) < std::tie(b.timeFrom, b.id);
    return std::tie(a.created, a.id) < std::tie(b.created, b.id);
  });
  entries_.clear();
  entries_.reserve(notes.size());
  for (auto& row : cells_) row.fill(SlotCell{});
  dayTop_.fill(0);
  top_ = 0;

  for (NOTE_PAD& note : notes) {
    const size_t index = entries_.size();
    entries_.push_back(CalendarEntry{});
    CalendarEntry& entry = entries_.back();
    entry.note = std::move(note);
    const NOTE_PAD& n = entry.note;
    entry.title = FirstLine(n.text);
    ApplyCalendarLook(entry, categories);

    if (IsScheduled(n) && Repeats(n)) {
      LayRepeating(index, month, zone);
      continue;
    }
    const int64_t firstDay = zone.FieldsOf(IsScheduled(n) ? n.start : n.created).dayNumber;
    const int64_t lastDay = IsScheduled(n) ? std::max(firstDay, zone.FieldsOf(n.end).dayNumber) : firstDay;
    if (lastDay < month.firstDay || firstDay >= month.firstDay + month.days) continue;
    const bool begins = month.Contains(firstDay);
    const bool ends = month.Contains(lastDay);
    const int from = begins ? month.DayOf(firstDay) : 1;
    const int to = ends ? month.DayOf(lastDay) : month.days;
    const int slot = LowestFreeSlot(from, to);
    if (slot == 0) continue;
    const bool excluded = IsScheduled(n) && IsExcludedDay(n, zone.DayStart(firstDay), zone);
    entries_[index].bar = IsScheduled(n);
    entries_[index].firstDay = from;
    entries_[index].lastDay = to;
    for (int day = from; day <= to; ++day)
      Place(index, day, slot, begins && day == from, ends && day == to, excluded);
  }
  for (int top : dayTop_) top_ = std::max(top_, top);
}

void ApplyCalendarLook(CalendarEntry& entry, const CategoryList& categories) {
  const NOTE_PAD& note = entry.note;
  entry.paper = note.paperColor;
  entry.text = note.textColor;
  entry.icon = note.icon;
  constexpr uint32_t kOwnLook = kNoteOwnTextColor | kNoteOwnFont | kNoteOwnPaperColor | kNoteOwnIcon;
  if ((note.flags & kOwnLook) == kOwnLook) return;
  const NOTE_CATE& cate = categories.Resolve(note.category);
  if (!(note.flags & kNoteOwnIcon)) entry.icon = cate.icon;
  if (!(note.flags & kNoteOwnPaperColor)) entry.paper = EffectivePaperColor(cate, note);
  if (!(note.flags & kNoteOwnTextColor)) entry.text = cate.textColor;
}

// ---------------------------------------------------------------- the day's menu

std::vector<DayMenuRow> DayMenuRows(const MonthLayout& layout, const CalendarMonth& month, int day,
                                    const LocalTime& zone) {
  std::vector<DayMenuRow> rows;
  if (day < 1 || day > month.days) return rows;
  const int64_t dayNumber = month.firstDay + day - 1;
  for (int slot = 1; slot <= layout.DayTop(day); ++slot) {
    const SlotCell& cell = layout.Cell(day, slot);
    if (cell.entry < 0) continue;
    const CalendarEntry& entry = layout.entries()[static_cast<size_t>(cell.entry)];
    DayMenuRow row;
    row.noteId = entry.note.id;
    row.entry = static_cast<size_t>(cell.entry);
    row.slot = slot;
    row.excluded = cell.excluded;
    row.scheduled = IsScheduled(entry.note);
    if (!row.scheduled)
      row.kind = DayMenuRow::Kind::kUnscheduled;
    else if (cell.begins)
      row.kind = DayMenuRow::Kind::kBegins;
    else
      row.kind = cell.ends ? DayMenuRow::Kind::kEnds : DayMenuRow::Kind::kMiddle;
    if (row.kind == DayMenuRow::Kind::kBegins) row.start = zone.TimeOn(dayNumber, std::clamp(entry.note.timeFrom, 0, 86399));
    rows.push_back(row);
  }
  const auto rank = [](const DayMenuRow& r) {
    return r.kind == DayMenuRow::Kind::kUnscheduled ? 2 : r.kind == DayMenuRow::Kind::kBegins ? 1 : 0;
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const DayMenuRow& a, const DayMenuRow& b) {
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    if (rank(a) == 1 && a.start != b.start) return a.start < b.start;
    return a.slot < b.slot;
  });
  return rows;
}

std::u16string DayMenuLabel(const DayMenuRow& row, const std::u16string& title, const std::u16string& timeText,
                            const DayMenuTexts& texts) {
  std::u16string shown;
  for (char16_t c : title) {
    shown.push_back(c);
    if (c == u'&') shown.push_back(u'&');
  }
  std::u16string label;
  switch (row.kind) {
    case DayMenuRow::Kind::kBegins:
      label = FormatText(texts.withTime, {shown, timeText});
      break;
    case DayMenuRow::Kind::kEnds:
      label = FormatText(texts.withMark, {shown, texts.endMark});
      break;
    case DayMenuRow::Kind::kMiddle:
      label = FormatText(texts.withMark, {shown, texts.middleMark});
      break;
    case DayMenuRow::Kind::kUnscheduled:
      label = shown;
      break;
  }
  return row.excluded ? texts.excludedPrefix + label : label;
}

}  // namespace zavra
