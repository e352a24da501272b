#include "notewnd/TextLayout_win.h"

#include <algorithm>

#include "notewnd/TextLayout.h"

namespace zavra {

namespace {

constexpr int kTabChars = 2;
constexpr UINT kLineFormat = DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | DT_NOPREFIX;

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace

std::vector<size_t> LayoutText(HDC dc, std::u16string_view text, int width) {
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  std::vector<INT> extents(kMeasureChunk);
  const MeasureAdvances measure = [&](const char16_t* piece, size_t count, int32_t* advances) {
    SIZE size{};
    // Extents of every prefix of the piece in one call; the maximum extent is not used.
    if (!::GetTextExtentExPointW(dc, Wide(piece), static_cast<int>(count), 0, nullptr, extents.data(), &size)) {
      std::fill(advances, advances + count, tm.tmAveCharWidth);
      return;
    }
    INT previous = 0;
    for (size_t i = 0; i < count; ++i) {
      advances[i] = extents[i] - previous;
      previous = extents[i];
    }
  };
  return BreakLines(text, width, tm.tmAveCharWidth * kTabChars, measure);
}

void DrawTextLines(HDC dc, std::u16string_view text, const std::vector<size_t>& starts, size_t first,
                   const RECT& area, int lineHeight, bool centred) {
  DRAWTEXTPARAMS params{};
  params.cbSize = sizeof params;
  params.iTabLength = kTabChars;
  const UINT format = kLineFormat | (centred ? DT_CENTER : 0);
  int y = area.top;
  for (size_t line = first; line + 1 < starts.size(); ++line, y += lineHeight) {
    // Like an edit control, a partly visible last line is left out.
    if (line > first && y + lineHeight > area.bottom) break;
    const size_t length = std::min(VisibleLength(text, starts[line], starts[line + 1]), kMaxDrawnLineChars);
    if (length == 0) continue;
    RECT band{area.left, y, area.right, std::min<LONG>(y + lineHeight, area.bottom)};
    ::DrawTextExW(dc, const_cast<wchar_t*>(Wide(text.data() + starts[line])), static_cast<int>(length), &band, format,
                  &params);
  }
}

int SelectedLineHeight(HDC dc) {
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  return tm.tmHeight > 0 ? tm.tmHeight : 16;
}

}  // namespace zavra
