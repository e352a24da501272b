#include "notewnd/AdjustWnd_win.h"

#include <windowsx.h>

#include "framework/Handles.h"
#include "framework/Strings.h"
#include "notewnd/NoteIcons_win.h"
#include "resources/notezavra_res.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {
constexpr ::COLORREF kCyan = 0x00FFFF00;
constexpr ::COLORREF kWhite = 0x00FFFFFF;
}  // namespace

bool CAdjustWnd::Create(const RECT32& rect, HWND owner) {
  if (!RegisterWindowClass(kClassName, CS_HREDRAW | CS_VREDRAW)) return false;
  const std::wstring title = LoadResString(IDS_TRACKER_POSITION);
  if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, kClassName, title.c_str(), WS_POPUP,
                ToWinRect(rect), owner))
    return false;
  ::SetLayeredWindowAttributes(*this, 0, kOpacity, LWA_ALPHA);
  return true;
}

void CAdjustWnd::Show(bool show) {
  if (GetSafeHwnd()) ::ShowWindow(*this, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

RECT32 CAdjustWnd::Rect() const {
  RECT r{};
  if (GetSafeHwnd()) ::GetWindowRect(*this, &r);
  return FromWinRect(r);
}

LRESULT CAdjustWnd::HitTest(LPARAM screenPoint) const {
  POINT p{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  ::ScreenToClient(*this, &p);
  RECT client{};
  ::GetClientRect(*this, &client);
  if (!::PtInRect(&client, p)) return HTNOWHERE;
  const bool left = p.x < kBorder, right = p.x >= client.right - kBorder;
  const bool top = p.y < kBorder, bottom = p.y >= client.bottom - kBorder;
  if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
  if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
  if (left) return HTLEFT;
  if (right) return HTRIGHT;
  // Dragging anywhere inside moves it.
  return HTCAPTION;
}

void CAdjustWnd::Paint() {
  PAINTSTRUCT ps{};
  HDC dc = ::BeginPaint(*this, &ps);
  RECT client{};
  ::GetClientRect(*this, &client);
  BrushHandle cyan(::CreateSolidBrush(kCyan));
  ::FillRect(dc, &client, cyan.get());
  FontHandle font = NoteFont(nullptr, false);
  {
    SelectObjectScope select(dc, font.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kWhite);
    const std::wstring text = LoadResString(IDS_TRACKER_POSITION);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  ::EndPaint(*this, &ps);
}

LRESULT CAdjustWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST:
      return HitTest(lp);
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = {kMinSize, kMinSize};
      return 0;
    }
    case WM_EXITSIZEMOVE:
      if (changed_) changed_();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
