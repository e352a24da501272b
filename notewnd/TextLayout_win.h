#pragma once
// A note's body on a device context: its lines found in one pass with the font selected in the
// context, and the lines drawn one band each, so that neither depends on the text's length
// beyond that one pass.
#include <string_view>
#include <vector>

#include "framework/Win.h"

namespace zavra {

// Beyond this many characters a line (of zero-width marks, say) is drawn cut short.
inline constexpr size_t kMaxDrawnLineChars = 4096;

// BreakLines for the font selected in `dc`; tabs every two average character widths.
std::vector<size_t> LayoutText(HDC dc, std::u16string_view text, int width);

// Draws the lines from `first` on, one `lineHeight` band each, from `area`'s top while a whole
// line fits (the first line is drawn even when cut); transparent, in the selected font and
// colour, centred horizontally when asked.
void DrawTextLines(HDC dc, std::u16string_view text, const std::vector<size_t>& starts, size_t first,
                   const RECT& area, int lineHeight, bool centred);

// The height of the selected font's lines (16 when it has none).
int SelectedLineHeight(HDC dc);

}  // namespace zavra
