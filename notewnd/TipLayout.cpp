#include "notewnd/TipLayout.h"

#include <algorithm>

#include "store/NoteText.h"

namespace zavra {

namespace {

// A damaged record's time of day still names a reading of the clock.
int Reading(int32_t secondOfDay) { return std::clamp<int32_t>(secondOfDay, 0, 86399); }

LocalFields DateOf(int64_t t, const LocalTime& zone) { return zone.FieldsOf(ClampTime(t)); }

// The date a stored day start names, whichever zone wrote it.
LocalFields DateOfDayStart(int64_t dayStart, const LocalTime& zone) {
  return zone.FieldsOf(zone.DayStart(zone.DayOfDayStart(dayStart)));
}

}  // namespace

std::vector<std::u16string> NoteSummaryRows(const NOTE_PAD& note, const SummaryFormat& format,
                                            std::u16string_view createdFormat, const CalendarNames& names,
                                            const LocalTime& zone) {
  std::vector<std::u16string> rows{FirstLine(note.text)};
  if (!(note.flags & kNoteScheduled)) {
    const LocalFields made = DateOf(note.created, zone);
    rows.push_back(FormatText(createdFormat, {format.LongDate(made), format.TimeWithSeconds(made.secondOfDay)}));
    return rows;
  }
  // The day fields hold day starts; the times are readings on those days, never added seconds.
  const LocalFields first = DateOfDayStart(note.start, zone);
  const LocalFields last = DateOfDayStart(note.end, zone);
  const std::u16string from = format.TimeWithSeconds(Reading(note.timeFrom));
  const std::u16string to = format.TimeWithSeconds(Reading(note.timeTo));
  if (note.repeatKind < kRepeatDaily) {
    rows.push_back(FormatText(u"%s %s", {format.LongDate(first), from}));
    rows.push_back(FormatText(u" ~ %s %s", {format.LongDate(last), to}));
    return rows;
  }
  const bool openEnded = (note.flags & kNoteOpenEnded) != 0;
  rows.push_back(FormatText(u"%s ~ %s", {format.LongDate(first), openEnded ? std::u16string() : format.LongDate(last)}));
  std::u16string rule = DescribeRecurrence(note.repeatKind, note.repeatParam, note.repeatInterval, names);
  if (!rule.empty()) rows.push_back(std::move(rule));
  rows.push_back(FormatText(u"%s ~ %s", {from, to}));
  return rows;
}

RECT32 PlaceTip(int32_t x, int32_t y, int32_t width, int32_t height, const RECT32& workArea) {
  const RECT32 tip{x, y, x + width, y + height};
  if (Width(workArea) <= 0 || Height(workArea) <= 0) return tip;
  return ClampInto(tip, workArea);
}

TimeTipLayout LayOutTimeTip(int32_t textWidth, int32_t textHeight, int32_t maxWidth) {
  TimeTipLayout l;
  l.height = std::max(textHeight, 0) + 4;
  l.tail = l.height / 2;
  // 4 pixels either side of the text and the arrow beyond them: the whole text fits.
  l.width = std::max(textWidth, 0) + 8 + l.tail;
  if (maxWidth > 0) l.width = std::min(l.width, maxWidth);
  l.text = {4, 2, std::max(4, l.width - 4 - l.tail), l.height - 2};
  return l;
}

std::vector<Point32> TimeTipOutline(const TimeTipLayout& l) {
  const int32_t r = l.width, b = l.height, half = l.height / 2;
  return {{0, 0}, {r - half - 1, 0}, {r - 1, half}, {r - half - 1, b - 1}, {0, b - 1}};
}

RECT32 KeepTopRight(const RECT32& old, int32_t width, int32_t height) {
  return {old.right - width, old.top, old.right, old.top + height};
}

std::vector<std::vector<Point32>> GlyphStrokes(int kind, const RECT32& item) {
  const int32_t l = item.left, t = item.top, r = item.right, b = item.bottom;
  const int32_t m = t + (b - t) / 2;
  switch (kind) {
    case kGlyphCross:
      return {{{l + 2, t + 2}, {r - 2, b - 2}}, {{l + 2, b - 3}, {r - 2, t + 1}}};
    case kGlyphBar:
      return {{{l + 2, b - 3}, {r - 2, b - 3}}};
    case kGlyphLeft:
      return {{{l + 3, m}, {r - 5, t + 3}, {r - 5, b - 4}, {l + 3, m}}};
    case kGlyphRight:
      return {{{r - 4, m}, {l + 4, t + 3}, {l + 4, b - 4}, {r - 4, m}}};
    case kGlyphCheck:
      return {{{l + 3, t + 4}, {l + 3, b - 3}, {r - 2, t + 2}}};
    default:
      return {};
  }
}

}  // namespace zavra
