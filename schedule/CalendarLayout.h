#pragma once
// The month the calendar shows and how its notes are laid into the grid of day cells: every
// day has twenty slots, one note per slot. A one-time event keeps one slot across the days it
// spans, a repeating note takes a slot on each day it occurs, an unscheduled note sits on the
// day it was created.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "schedule/LocalTime.h"
#include "store/Category.h"
#include "store/NoteRecord.h"

namespace zavra {

inline constexpr int kCalendarSlots = 20;
inline constexpr int kCalendarMaxDays = 31;

struct CalendarMonth {
  int64_t year = 1970;
  int month = 1;                 // 1-12
  int64_t firstDay = 0;          // day number of the 1st
  int firstWeekday = 4;          // weekday of the 1st, 0 = Sunday
  int days = 31;
  int64_t start = 0;             // local midnight of the 1st
  int64_t end = 0;               // one second before the local midnight of the next 1st
  int relation = 0;              // against the month of today: -1 earlier, 0 same, 1 later
  int today = 0;                 // today's day when this is the current month, else 0

  bool Contains(int64_t dayNumber) const { return dayNumber >= firstDay && dayNumber < firstDay + days; }
  int DayOf(int64_t dayNumber) const { return static_cast<int>(dayNumber - firstDay) + 1; }
};

// The month `delta` months after year-month (months roll over into the neighbouring years).
CalendarMonth MakeMonth(int64_t year, int64_t month, int64_t now, const LocalTime& zone = MachineLocalTime());
CalendarMonth MonthOf(int64_t time, int64_t now, const LocalTime& zone = MachineLocalTime());
CalendarMonth ShiftMonth(const CalendarMonth& month, int delta, int64_t now,
                         const LocalTime& zone = MachineLocalTime());

// One note of the month with what the calendar shows of it.
struct CalendarEntry {
  NOTE_PAD note;
  int slot = 0;  // the lowest slot the note got; 0 = not shown
  std::u16string title;
  COLORREF paper = 0;
  COLORREF text = 0;
  uint16_t icon = 0;
  bool bar = false;  // a one-time event: one bar across its days, not a box per day
  // The days it spans in this month (one-time and unscheduled notes).
  int firstDay = 0;
  int lastDay = 0;
};

struct SlotCell {
  int entry = -1;  // index into the entries, -1 = free
  bool begins = false;
  bool ends = false;
  bool excluded = false;
};

class MonthLayout {
 public:
  // Sorts the notes (scheduled by time of day, then id; unscheduled by creation) and lays them
  // into the month.
  void Build(std::vector<NOTE_PAD> notes, const CalendarMonth& month, const CategoryList& categories,
             const LocalTime& zone = MachineLocalTime());

  const std::vector<CalendarEntry>& entries() const { return entries_; }
  // day 1-31, slot 1-20; anything else reads as a free cell.
  const SlotCell& Cell(int day, int slot) const;
  // The highest used slot of a day (0 = none) and of the month.
  int DayTop(int day) const;
  int Top() const { return top_; }
  // The slot of a note on a day, or 0.
  int SlotOf(int day, uint32_t noteId) const;
  std::optional<size_t> FindEntry(uint32_t noteId) const;

 private:
  bool Free(int day, int slot) const;
  int LowestFreeSlot(int firstDay, int lastDay) const;
  void Place(size_t entry, int day, int slot, bool begins, bool ends, bool excluded);
  void LayRepeating(size_t index, const CalendarMonth& month, const LocalTime& zone);

  std::vector<CalendarEntry> entries_;
  std::array<std::array<SlotCell, kCalendarSlots>, kCalendarMaxDays> cells_{};
  std::array<int, kCalendarMaxDays> dayTop_{};
  int top_ = 0;
};

// The look of a note on the calendar: its own colours and icon, or its category's where it
// does not own them.
void ApplyCalendarLook(CalendarEntry& entry, const CategoryList& categories);

// The rows of a day's menu: every entry of the day, those that do not begin that day first,
// then by start time, unscheduled notes last, equal keys in slot order. Each row keeps the
// note's id, so a row still names its note when the month is laid out again meanwhile.
struct DayMenuRow {
  enum class Kind { kBegins, kEnds, kMiddle, kUnscheduled };
  uint32_t noteId = 0;
  size_t entry = 0;
  int slot = 0;
  Kind kind = Kind::kBegins;
  bool excluded = false;
  bool scheduled = false;
  int64_t start = 0;  // the occurrence's start on that day (kBegins)
};
std::vector<DayMenuRow> DayMenuRows(const MonthLayout& layout, const CalendarMonth& month, int day,
                                    const LocalTime& zone = MachineLocalTime());

// The texts a row's label is made of (from the string table).
struct DayMenuTexts {
  std::u16string withTime = u"%s (%s)";   // title, start time
  std::u16string withMark = u"%s (%s)";   // title, end or middle mark
  std::u16string endMark = u"/";
  std::u16string middleMark = u"~";
  std::u16string excludedPrefix = u"- ";
};
// A row's menu label; "&" in the title is doubled so that it shows as itself.
std::u16string DayMenuLabel(const DayMenuRow& row, const std::u16string& title, const std::u16string& timeText,
                            const DayMenuTexts& texts);

}  // namespace zavra
