#include "notewnd/NoteSampleWnd_win.h"

#include "framework/Strings.h"
#include "notewnd/NoteIcons_win.h"
#include "notewnd/TextLayout_win.h"
#include "resources/notezavra_res.h"

namespace zavra {

std::wstring CNoteSampleWnd::SampleText(const std::wstring& weekday) {
  return LoadResString(IDS_SAMPLE_TEXT) + L"\r\n" + weekday;
}

void CNoteSampleWnd::SetLook(::COLORREF paper, ::COLORREF text, const zavra::LOGFONTW& font, int margin, int align,
                             const std::wstring& weekday) {
  paper_ = paper;
  text_ = text;
  font_ = NoteFont(&font, true);
  margin_ = margin;
  align_ = align;
  sample_ = SampleText(weekday);
  if (GetSafeHwnd()) ::InvalidateRect(*this, nullptr, FALSE);
}

void CNoteSampleWnd::Paint(HDC dc, const RECT& client) {
  BrushHandle brush(::CreateSolidBrush(paper_));
  ::FillRect(dc, &client, brush.get());
  RECT area = client;
  ::InflateRect(&area, -margin_, -margin_);
  if (area.bottom <= area.top || area.right <= area.left) return;
  SelectObjectScope font(dc, font_ ? font_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, text_);
  // Laid out and drawn as a note's body is.
  const std::u16string_view sample(reinterpret_cast<const char16_t*>(sample_.data()), sample_.size());
  const std::vector<size_t> starts = LayoutText(dc, sample, area.right - area.left);
  const int lineHeight = SelectedLineHeight(dc);
  if (align_ == 1) {
    const int64_t height = static_cast<int64_t>(starts.size() - 1) * lineHeight;
    const int available = area.bottom - area.top;
    if (height > 0 && height < available) area.top += static_cast<int>((available - height) / 2);
  }
  DrawTextLines(dc, sample, starts, 0, area, lineHeight, align_ == 1);
}

LRESULT CNoteSampleWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(*this, &ps);
      RECT client{};
      ::GetClientRect(*this, &client);
      Paint(dc, client);
      ::EndPaint(*this, &ps);
      return 0;
    }
    default:
      return CWnd::WindowProc(msg, wp, lp);
  }
}

}  // namespace zavra
