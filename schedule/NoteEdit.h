#pragma once
// What the note edit dialog shows for a note, and the record its OK writes back. The dialog
// only moves these values in and out of its controls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "schedule/LocalTime.h"
#include "store/NoteRecord.h"

namespace zavra {

// Set by the caller before the dialog opens (a calendar day's "New Note...").
struct NoteEditPresets {
  bool scheduleOn = false;
  std::optional<int64_t> day;  // local day number
};

struct NoteEditValues {
  std::u16string text;
  std::u16string link;
  std::u16string sound;  // empty: the category's sound
  uint16_t category = 1;
  bool iconSet = false;  // the icon was chosen, not taken from the category
  int icon = 0;
  bool showOnCalendar = false;
  bool scheduleOn = false;
  bool openAtTime = true;
  bool launchLink = false;
  bool playSound = true;
  // The pickers: dates as local day numbers, times as seconds after midnight.
  int64_t startDay = 0;
  int64_t endDay = 0;
  int timeFrom = 0;
  int timeTo = 0;
  bool openEnded = false;
  int repeatKind = kRepeatNone;
  int repeatParam = 0;
  int repeatInterval = 1;
};

// The times of day come from timeFrom and timeTo themselves, never from start + timeFrom, so a
// note starting on a clock-change day opens with the times it keeps.
NoteEditValues OpenNoteEdit(const NOTE_PAD& note, const NoteEditPresets& presets, int64_t now,
                            const LocalTime& zone = MachineLocalTime());

struct NoteEditResult {
  NOTE_PAD note;
  bool changed = false;  // some field differs from the record the dialog opened with
};
// What OK writes. A start or end on an unchanged date keeps its stored time value.
NoteEditResult ApplyNoteEdit(const NOTE_PAD& original, const NoteEditValues& values,
                             const LocalTime& zone = MachineLocalTime());

// OK refuses a scheduled note whose rule can never occur; an unscheduled note has nothing to check.
bool HasPossibleOccurrence(const NOTE_PAD& note, const LocalTime& zone = MachineLocalTime());

// OK is enabled while the text holds more than white space.
bool HasNoteText(std::u16string_view text);
bool EndDateEnabled(int repeatKind, bool openEnded);
// The icon the list shows: the chosen one, else the category's; 0 when out of the list's range.
int IconFor(bool iconSet, int icon, int categoryIcon, int itemCount);

// What a paste makes of the link box: "note:<id>" for a copied note, else the first file of a
// file list in double quotes; nothing for an ordinary paste.
std::optional<std::u16string> PastedLink(std::optional<uint32_t> noteId, std::u16string_view firstFile);
std::u16string QuotedPath(std::u16string_view path);

struct NoteColors {
  COLORREF paper = 0;
  COLORREF text = 0;
};
// The text box's colours: the note's own, else its category's.
NoteColors TextBoxColors(const NOTE_PAD& note, const NOTE_CATE& category);

}  // namespace zavra
