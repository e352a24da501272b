#pragma once
// What the hover tips, the "Now" label and the glyph buttons show and how big they are: the
// rows of a note's summary, the label's outline and text box, a tip kept on the work area, and
// the strokes of each glyph. The windows only measure text and draw what these give them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Geometry.h"
#include "schedule/LocalTime.h"
#include "schedule/RecurrenceText.h"
#include "store/NoteRecord.h"

namespace zavra {

// The locale's texts a summary is made of.
class SummaryFormat {
 public:
  virtual std::u16string LongDate(const LocalFields& date) const = 0;
  virtual std::u16string TimeWithSeconds(int secondOfDay) const = 0;

 protected:
  ~SummaryFormat() = default;
};

// A note's first line, then when it was made ("Created: %s %s", string 131) or its schedule:
// first and last day with their times, or for a series its days, its rule in words and its
// hours. Times of day are the stored readings, so clock-change days show what the user set.
std::vector<std::u16string> NoteSummaryRows(const NOTE_PAD& note, const SummaryFormat& format,
                                            std::u16string_view createdFormat, const CalendarNames& names,
                                            const LocalTime& zone = MachineLocalTime());

// A tip of the given outer size with its top-left corner at (x, y), moved onto the work area.
RECT32 PlaceTip(int32_t x, int32_t y, int32_t width, int32_t height, const RECT32& workArea);
// Outer size of a tip for its widest row and the sum of its row heights (border and margins).
inline int32_t TipWidth(int32_t widestRow) { return widestRow + 8; }
inline int32_t TipHeight(int32_t rowHeights) { return rowHeights + 4; }

// The "Now" label: a box of text with an arrow point at its right end.
struct TimeTipLayout {
  int32_t width = 0;
  int32_t height = 0;  // h
  int32_t tail = 0;    // h / 2, the arrow's depth
  RECT32 text;         // the right-aligned text's box, client coordinates
};
// Laid out for text of the given size; the box always holds the text unless the label had to
// be narrowed to `maxWidth` (the work area), where the text is cut with an ellipsis.
TimeTipLayout LayOutTimeTip(int32_t textWidth, int32_t textHeight, int32_t maxWidth);
// The label's outline in client coordinates: left edge, top edge to the arrow, the point, back.
std::vector<Point32> TimeTipOutline(const TimeTipLayout& layout);
// The new rectangle of a label resized to (width, height) that keeps its top-right corner.
RECT32 KeepTopRight(const RECT32& old, int32_t width, int32_t height);

// Glyph kinds of the compact buttons.
enum GlyphKind : int {
  kGlyphCross = 0,
  kGlyphBar = 1,
  kGlyphLeft = 2,
  kGlyphRight = 3,
  kGlyphBoldText = 4,
  kGlyphText = 5,
  kGlyphCheck = 6,
};
inline bool IsTextGlyph(int kind) { return kind == kGlyphBoldText || kind == kGlyphText; }
// The 1-pixel strokes of a drawn glyph inside an item rectangle, each a polyline (the end point
// of each segment not drawn, as GDI lines go); none for the text kinds and unknown kinds.
std::vector<std::vector<Point32>> GlyphStrokes(int kind, const RECT32& item);

}  // namespace zavra
