#include "notewnd/NoteSampleWnd_win.h"

#include "framework/Strings.h"
#include "notewnd/NoteIcons_win.h"
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
  UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
  if (align_ == 1) {
    format |= DT_CENTER;
    // Measured the same way as a note's body, then the block is centred.
    RECT measure = area;
    ::DrawTextW(dc, sample_.c_str(), static_cast<int>(sample_.size()), &measure, format | DT_CALCRECT);
    const int height = measure.bottom - measure.top, available = area.bottom - area.top;
    if (height > 0 && height < available) area.top += (available - height) / 2;
  }
  ::DrawTextW(dc, sample_.c_str(), static_cast<int>(sample_.size()), &area, format);
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
