#include "notewnd/CloseButton_win.h"

#include <vector>

#include "notewnd/TipWnd_win.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

FontHandle ArialFont(HWND reference, bool bold) {
  ::LOGFONTW lf{};
  WindowDC dc(reference);
  lf.lfHeight = -::MulDiv(8, ::GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = TipClearType() ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
  ::lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  return FontHandle(::CreateFontIndirectW(&lf));
}

}  // namespace

CCloseButton::CCloseButton(int kind, std::wstring text, ::COLORREF mainColor, ::COLORREF pressedTextColor)
    : kind_(kind), text_(std::move(text)), main_(mainColor), pressedText_(pressedTextColor) {}

CCloseButton::~CCloseButton() {
  // A child control goes with its parent; the object only lets go of it.
  if (GetSafeHwnd()) {
    HWND h = GetSafeHwnd();
    Detach();
    ::DestroyWindow(h);
  }
}

bool CCloseButton::Create(HWND parent, UINT id, const RECT& rect, DWORD style, DWORD exStyle) {
  HWND h = ::CreateWindowExW(exStyle, L"BUTTON", text_.c_str(), WS_CHILD | BS_OWNERDRAW | style, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  if (!h || !SubclassWindow(h)) {
    if (h) ::DestroyWindow(h);
    return false;
  }
  if (kind_ == kGlyphText) {
    font_ = ArialFont(h, false);
    WindowDC dc(h);
    SelectObjectScope select(dc.get(), font_.get());
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &size);
    ::SetWindowPos(h, nullptr, 0, 0, size.cx + 16, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

bool CCloseButton::ReflectDrawItem(const DRAWITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_BUTTON) return false;
  auto* button = dynamic_cast<CCloseButton*>(CWnd::FromHandle(item->hwndItem));
  if (!button) return false;
  button->Draw(*item);
  return true;
}

void CCloseButton::SetColors(::COLORREF mainColor, ::COLORREF pressedTextColor) {
  main_ = mainColor;
  pressedText_ = pressedTextColor;
  if (GetSafeHwnd()) ::InvalidateRect(*this, nullptr, FALSE);
}

void CCloseButton::SetText(std::wstring text) {
  text_ = std::move(text);
  if (GetSafeHwnd()) ::SetWindowTextW(*this, text_.c_str());
}

HFONT CCloseButton::TextFont() {
  if (!font_) font_ = ArialFont(*this, kind_ == kGlyphBoldText);
  return font_.get();
}

void CCloseButton::Draw(const DRAWITEMSTRUCT& item) {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool transparent = (::GetWindowLongW(*this, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
  HWND parent = ::GetParent(*this);
  if (transparent && lastPressed_ && !pressed) {
    // The pressed fill must go: what lies under the button is the parent's to paint.
    lastPressed_ = false;
    RECT r{};
    ::GetWindowRect(*this, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    ::RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return;
  }
  lastPressed_ = pressed;
  HDC dc = item.hDC;
  const RECT rc = item.rcItem;
  BrushHandle mainBrush(::CreateSolidBrush(main_));
  if (pressed) {
    ::FillRect(dc, &rc, mainBrush.get());
  } else {
    if (!transparent) {
      auto background = reinterpret_cast<HBRUSH>(
          ::SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(item.hwndItem)));
      ::FillRect(dc, &rc, background ? background : ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::FrameRect(dc, &rc, mainBrush.get());
  }
  const ::COLORREF ink = pressed ? pressedText_ : main_;
  if (IsTextGlyph(kind_)) {
    SelectObjectScope select(dc, TextFont());
    ::SetTextColor(dc, ink);
    ::SetBkMode(dc, TRANSPARENT);
    RECT box = rc;
    ::DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &box,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  PenHandle pen(::CreatePen(PS_SOLID, 1, ink));
  SelectObjectScope select(dc, pen.get());
  for (const std::vector<Point32>& stroke : GlyphStrokes(kind_, FromWinRect(rc))) {
    std::vector<POINT> points;
    for (const Point32& p : stroke) points.push_back({p.x, p.y});
    ::Polyline(dc, points.data(), static_cast<int>(points.size()));
  }
}

LRESULT CCloseButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  return CWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
