#pragma once
// Line breaking of a note's body in one pass over the text, so that its cost grows with the
// text's length alone: the widths of the characters are asked for a piece at a time as the
// pass moves on (the start of a line that a piece ended in may be asked for again), and each
// line is found from them without measuring a prefix or the whole text.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace zavra {

// Fills `advances[i]` with the width of text[i] as it is drawn after text[0..i-1] (kerning
// included). Asked for pieces of a few thousand characters at a time.
using MeasureAdvances = std::function<void(const char16_t* text, size_t count, int32_t* advances)>;

// Characters asked of MeasureAdvances in one call.
inline constexpr size_t kMeasureChunk = 4096;

// The start of every line of `text` wrapped to `width`, followed by text.size(); {0} for an
// empty text. A line ends at CR, LF or CR LF (which belong to it) or where the next word would
// pass the right edge; blanks and tabs at that edge stay on the line they end. A word longer
// than a line is broken inside. Tabs advance to the next multiple of `tabWidth` from the
// line's start. Every line holds at least one character, however narrow the width.
std::vector<size_t> BreakLines(std::u16string_view text, int32_t width, int32_t tabWidth,
                               const MeasureAdvances& measure);

// The characters of line [start, end) worth drawing: without the line break and the blanks
// and tabs at its end (they would pull a centred line to the left).
size_t VisibleLength(std::u16string_view text, size_t start, size_t end);

}  // namespace zavra
