#include "schedule/NoteEdit.h"

#include <algorithm>

#include "schedule/Recurrence.h"
#include "store/Category.h"
#include "store/NoteLink.h"

namespace zavra {

namespace {

constexpr uint32_t kEditedFlags = kNoteOnCalendar | kNoteScheduled | kNoteOpenEnded | kNoteLaunchLink |
                                  kNoteNoWindow | kNoteOwnIcon | kNoteNoSound;

bool IsBlank(char16_t c) { return c <= u' ' || c == u'\x00A0' || c == u'\x3000'; }

// A stored time value on the picked date keeps its value; a new date gets its day start.
int64_t DayValue(int64_t stored, int64_t day, const LocalTime& zone) {
  return zone.FieldsOf(stored).dayNumber == day ? stored : zone.DayStart(day);
}

bool SameEditedFields(const NOTE_PAD& a, const NOTE_PAD& b) {
  return a.flags == b.flags && a.icon == b.icon && a.category == b.category && a.start == b.start &&
         a.end == b.end && a.timeFrom == b.timeFrom && a.timeTo == b.timeTo && a.repeatKind == b.repeatKind &&
         a.repeatParam == b.repeatParam && a.repeatInterval == b.repeatInterval && a.text == b.text &&
         a.link == b.link && a.sound == b.sound && a.excludes == b.excludes;
}

bool EqualNoCase(const std::u16string& a, const std::u16string& b) { return CompareNamesNoCase(a, b) == 0; }

}  // namespace

NoteEditValues OpenNoteEdit(const NOTE_PAD& note, const NoteEditPresets& presets, int64_t now, const LocalTime& zone) {
  NoteEditValues v;
  v.text = note.text;
  v.link = note.link;
  v.sound = note.sound;
  v.category = note.category;
  v.iconSet = (note.flags & kNoteOwnIcon) != 0;
  v.icon = note.icon;
  v.showOnCalendar = (note.flags & kNoteOnCalendar) != 0;
  v.launchLink = (note.flags & kNoteLaunchLink) != 0;
  v.openAtTime = !(note.flags & kNoteNoWindow);
  v.playSound = !(note.flags & kNoteNoSound);
  if (note.flags & kNoteScheduled) {
    v.scheduleOn = true;
    v.openEnded = (note.flags & kNoteOpenEnded) && note.repeatKind >= kRepeatDaily;
    v.startDay = zone.FieldsOf(note.start).dayNumber;
    v.endDay = zone.FieldsOf(note.end).dayNumber;
    v.timeFrom = std::clamp(note.timeFrom, 0, 86399);
    v.timeTo = std::clamp(note.timeTo, 0, 86399);
    v.repeatKind = note.repeatKind;
    v.repeatParam = note.repeatParam;
    v.repeatInterval = note.repeatInterval;
    return v;
  }
  // The next full hour of the clock, on the preset date when there is one.
  const LocalFields later = zone.FieldsOf(now + 3600);
  v.startDay = v.endDay = presets.day ? *presets.day : later.dayNumber;
  v.timeFrom = v.timeTo = later.secondOfDay / 3600 * 3600;
  v.repeatKind = kRepeatNone;
  v.repeatParam = 0;
  v.repeatInterval = 1;
  v.scheduleOn = presets.scheduleOn;
  return v;
}

NoteEditResult ApplyNoteEdit(const NOTE_PAD& original, const NoteEditValues& v, const LocalTime& zone) {
  NoteEditResult r{original, false};
  NOTE_PAD& n = r.note;
  uint32_t flags = 0;
  if (v.showOnCalendar) flags |= kNoteOnCalendar;
  if (v.scheduleOn) flags |= kNoteScheduled;
  if (v.scheduleOn && v.openEnded && v.repeatKind >= kRepeatDaily) flags |= kNoteOpenEnded;
  if (v.launchLink) flags |= kNoteLaunchLink;
  if (!v.openAtTime) flags |= kNoteNoWindow;
  if (v.iconSet) flags |= kNoteOwnIcon;
  if (!v.playSound) flags |= kNoteNoSound;
  n.flags = (n.flags & ~kEditedFlags) | flags;
  if (v.iconSet) n.icon = static_cast<uint16_t>(std::clamp(v.icon, 0, 0xFFFF));
  n.category = v.category;

  if (v.scheduleOn) {
    const int64_t endDay = std::max(v.endDay, v.startDay);
    n.start = DayValue(original.start, v.startDay, zone);
    n.end = DayValue(original.end, endDay, zone);
    n.timeFrom = v.timeFrom;
    n.timeTo = endDay == v.startDay ? std::max(v.timeTo, v.timeFrom) : v.timeTo;
    n.repeatKind = static_cast<uint8_t>(std::clamp(v.repeatKind, 0, 255));
    n.repeatParam = static_cast<uint16_t>(std::clamp(v.repeatParam, 0, 0xFFFF));
    n.repeatInterval = static_cast<uint8_t>(std::clamp(v.repeatInterval, 0, 255));
  } else {
    n.excludes.clear();
  }

  n.text = v.text;
  const auto firstVisible = std::find_if_not(v.link.begin(), v.link.end(), IsBlank);
  n.link.assign(firstVisible, v.link.end());
  if (!EqualNoCase(v.sound, n.sound)) n.sound = v.sound;
  r.changed = !SameEditedFields(n, original);
  return r;
}

bool HasPossibleOccurrence(const NOTE_PAD& note, const LocalTime& zone) {
  return !(note.flags & kNoteScheduled) || NextOccurrence(note, 0, 0, nullptr, false, zone);
}

bool HasNoteText(std::u16string_view text) { return std::any_of(text.begin(), text.end(), [](char16_t c) { return !IsBlank(c); }); }

bool EndDateEnabled(int repeatKind, bool openEnded) { return repeatKind < kRepeatDaily || !openEnded; }

int IconFor(bool iconSet, int icon, int categoryIcon, int itemCount) {
  const int index = iconSet ? icon : categoryIcon;
  return index >= 0 && index < itemCount ? index : 0;
}

std::optional<std::u16string> PastedLink(std::optional<uint32_t> noteId, std::u16string_view firstFile) {
  if (noteId) return MakeNoteLink(*noteId);
  if (!firstFile.empty()) return QuotedPath(firstFile);
  return std::nullopt;
}

std::u16string QuotedPath(std::u16string_view path) { return u"\"" + std::u16string(path) + u"\""; }

NoteColors TextBoxColors(const NOTE_PAD& note, const NOTE_CATE& category) {
  NoteColors c;
  c.paper = (note.flags & kNoteOwnPaperColor) ? note.paperColor : EffectivePaperColor(category, note);
  c.text = (note.flags & kNoteOwnTextColor) ? note.textColor : category.textColor;
  return c;
}

}  // namespace zavra
