#pragma once
// The pad's words and numbers that do not need a window: its caption, the shortened long date
// format, the upper case its search compares in, and its saved rectangle.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
RECT32 DefaultPadRect(const RECT32& workArea);
RECT32 PadRectFromBytes(const std::optional<std::vector<uint8_t>>& bytes, const RECT32& workArea);
std::vector<uint8_t> PadRectBytes(const RECT32& rect);

}  // namespace zavra
