#pragma once
// What the pad lists: which notes belong to a term under a category filter and at which time,
// and how each row looks (colours, time text, title).
#include <cstdint>
#include <optional>
#include <string>

#include "pad/PadTerm.h"
#include "schedule/LocalTime.h"
#include "store/Category.h"
#include "store/NoteRecord.h"
#include "store/NoteText.h"

namespace zavra {

// Category filter values besides category ids, and the special category arguments.
inline constexpr int kFilterAllOfInterest = -1;
inline constexpr int kFilterAllCategories = 0;
inline constexpr int kPadKeepFilter = -1001;
inline constexpr int kPadFromCalendar = -1000;

// A reopen's time colour before it is toned to the paper; the others are the note window's
// header colours.
inline constexpr COLORREF kPadCyan = 0x00FFFF00;

// One listed occurrence of a note. Listed from the note index, `note` holds the fixed part and
// excluded dates only, and `title` and `hasLink` stand for the rest until the search needs the
// text and the note is read whole. Commands read the note from its file in any case.
struct PadEntry {
  NOTE_PAD note;
  int64_t listed = 0;
  bool reopen = false;  // stands for a pending "Reopen After"
  bool whole = true;    // `note` has its text and link
  std::u16string title;
  bool hasLink = false;

  std::u16string Title() const { return whole ? FirstLine(note.text) : title; }
  bool HasLink() const { return whole ? !note.link.empty() : hasLink; }
};

struct PadScope {
  int filter = kFilterAllOfInterest;
  const CategoryList* categories = nullptr;
  PadTerm term;
  int64_t now = 0;
  const LocalTime* zone = &MachineLocalTime();
};

// Whether a category is of interest; a missing category counts as "Unsorted".
bool OfInterest(const CategoryList& categories, uint32_t category);

// Where a note is listed in the scope, or nothing when it is not: a reopen entry at its reopen
// time, a scheduled note at the occurrence that suits the term (nearest to now in the current
// term, the last of a past one, the first of a future one; the first of its series in All when
// it has none), an unscheduled note at its creation.
std::optional<int64_t> ListedTime(const NOTE_PAD& note, bool reopen, int64_t reopenTime, const PadScope& scope);

// The look of a row.
struct PadRowLook {
  COLORREF paper = 0;
  COLORREF text = 0;
  COLORREF time = 0;
  uint16_t icon = 0;
  std::u16string timeText;
  std::u16string title;
};

// Locale texts of a row's time.
class PadTimeFormat {
 public:
  virtual std::u16string Time(const LocalFields& t) const = 0;      // no seconds
  virtual std::u16string Date(const LocalFields& date) const = 0;   // the shortened long date
 protected:
  ~PadTimeFormat() = default;
};

// Colours from the note, or from its category for what the note does not set itself; the time
// alone when it falls on today, else date and time; "  +" for a series; red overdue, blue due
// within 12 hours, green later, cyan for a reopen, each toned to the paper; `greyText` for
// unscheduled notes.
PadRowLook LookOfRow(const PadEntry& entry, const CategoryList& categories, int64_t now, COLORREF greyText,
                     const PadTimeFormat& format, const LocalTime& zone = MachineLocalTime());

}  // namespace zavra
