#pragma once
// The pad's words and numbers that do not need a window: its caption, the shortened long date
// format, the upper case its search compares in, and its saved rectangle.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/DpiScale.h"
#include "pad/PadTerm.h"
#include "schedule/LocalTime.h"
#include "store/NoteRecord.h"

namespace zavra {

// The caption's phrases (from the string table) and the locale's dates.
struct PadCaptionTexts {
  std::u16string caption = u"%s (%s) - %s";
  std::u16string title = u"QZ[Pad]";
  std::u16string all = u"All";
  std::u16string week = u"%s ~ %s";
  std::u16string oneNote = u"%i note";
  std::u16string notes = u"%i notes";
};

class PadDateFormat {
 public:
  virtual std::u16string ShortLongDate(const LocalFields& date) const = 0;
  virtual std::u16string ShortDate(const LocalFields& date) const = 0;
  virtual std::u16string YearMonth(const LocalFields& date) const = 0;
 protected:
  ~PadDateFormat() = default;
};

// "Tue, Mar 3, 2026 (4 notes) - QZ[Pad]": the term and the number of rows shown.
std::u16string PadCaption(const PadTerm& term, size_t rows, const PadCaptionTexts& texts, const PadDateFormat& format,
                          const LocalTime& zone = MachineLocalTime());

// The long date picture with "dddd" made "ddd" and "MMMM" made "MMM", quoted text untouched.
std::u16string ShortenLongDateFormat(std::u16string_view picture);

// Upper case for comparing without regard to case: Latin, Greek and Cyrillic letters.
char16_t UpperChar(char16_t c);
std::u16string UpperCase(std::u16string_view text);
// Whether `upperText` (already upper case) contains `upperWord`; an empty word is everywhere.
bool ContainsWord(std::u16string_view upperText, std::u16string_view upperWord);

// "PadRect": 16 bytes (left, top, right, bottom). The default lies at the bottom right of the
// work area; a missing, short or unusable value gives the default.
RECT32 DefaultPadRect(const RECT32& workArea, uint32_t dpi = kBaseDpi);
RECT32 PadRectFromBytes(const std::optional<std::vector<uint8_t>>& bytes, const RECT32& workArea,
                        uint32_t dpi = kBaseDpi);

// Where a row's card and its parts go at a DPI (pixels): the card inside its row, the text
// inside the card, and the marks at its top right, each `right` pixels left of the card's edge.
struct PadCardMetrics {
  int32_t insetX = 2, insetY = 1;
  int32_t padding = 4, lineGap = 3;
  int32_t rowExtra = 12;  // a row is two text lines and this
  int32_t iconSize = 16;
  int32_t iconTop = 3, markTop = 4;
  int32_t iconRight = 54, calendarRight = 36, linkRight = 20;
  int32_t linkColumn = 26;  // at the list's right edge: acts on the link
  int32_t tipX = 4, tipY = 2;  // a cut title's tip starts this far up-left of it
  int32_t menuX = 20;          // a row menu opened from the keyboard, from the row's left
  int32_t minWidth = 200, minHeight = 150;  // of the window
};
PadCardMetrics PadCardMetricsAt(uint32_t dpi);
std::vector<uint8_t> PadRectBytes(const RECT32& rect);

}  // namespace zavra
