#include "notewnd/TipWnd_win.h"

#include <algorithm>

#include "app/CalendarNames_win.h"
#include "app/MainWnd_win.h"
#include "app/NoteKitApp_win.h"
#include "framework/Dpi.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "notewnd/LocaleText_win.h"
#include "notewnd/NoteIcons_win.h"
#include "resources/notezavra_res.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

const wchar_t kTipClass[] = L"QZTip";
const wchar_t kTimeTipClass[] = L"QZTimeTip";

RECT32 WorkAreaAt(POINT p) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(::MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info)) return FromWinRect(info.rcWork);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return FromWinRect(work);
}

SIZE TextSize(HDC dc, const std::wstring& text, UINT format) {
  RECT r{0, 0, 0, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT | DT_NOPREFIX);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

bool TipClearType() {
  const CMainWnd* main = CMainWnd::Get();
  return main ? main->settings().clearType : true;
}

// ---------------------------------------------------------------- CTipWnd

CTipWnd::~CTipWnd() { Hide(); }

void CTipWnd::SetNoteSummary(const NOTE_PAD& note) {
  const CNoteKitApp* app = CNoteKitApp::Get();
  const CalendarNames names = app ? app->calendarNames() : LoadCalendarNames(::GetModuleHandleW(nullptr));
  rows_.clear();
  for (const std::u16string& row :
       NoteSummaryRows(note, LocaleSummaryFormat(), ToU16(LoadResString(IDS_TIP_CREATED)), names))
    rows_.push_back(ToWide(row));
}

bool CTipWnd::ShowAt(POINT screen, HWND owner) {
  Hide();
  if (!RegisterWindowClass(kTipClass, CS_DROPSHADOW | CS_SAVEBITS | CS_DBLCLKS)) return false;
  LoadFont(PointDpi(screen));
  const RECT at{screen.x, screen.y, screen.x, screen.y};
  if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTipClass, L"", WS_POPUP | WS_BORDER, at, owner)) return false;
  FitToRows();
  ::ShowWindow(*this, SW_SHOWNOACTIVATE);
  return true;
}

void CTipWnd::LoadFont(uint32_t dpi) {
  dpi_ = dpi;
  font_ = NoteFont(nullptr, TipClearType(), dpi_);
  rowHeight_ = LineHeight(font_.get());
}

void CTipWnd::FitToRows() {
  int widest = 0;
  {
    WindowDC dc(*this);
    SelectObjectScope select(dc.get(), font_.get());
    for (const std::wstring& row : rows_) widest = std::max<int>(widest, TextSize(dc.get(), row, DT_SINGLELINE).cx);
  }
  RECT now{};
  ::GetWindowRect(*this, &now);
  const RECT32 r = PlaceTip(now.left, now.top, TipWidth(widest, dpi_),
                            TipHeight(rowHeight_ * static_cast<int>(rows_.size()), dpi_), WorkAreaAt({now.left, now.top}));
  ::SetWindowPos(*this, nullptr, r.left, r.top, Width(r), Height(r), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTipWnd::Hide() {
  if (GetSafeHwnd()) DestroyWindow();
}

void CTipWnd::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(*this, &ps);
  RECT client{};
  ::GetClientRect(*this, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_INFOBK));
  SelectObjectScope select(dc, font_.get());
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  ::SetBkMode(dc, TRANSPARENT);
  const int left = TipRowLeft(dpi_), top = TipRowTop(dpi_);
  RECT row{client.left + left, client.top + top, client.right - left, client.top + top + rowHeight_};
  for (const std::wstring& text : rows_) {
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &row,
                DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT | DT_TOP);
    ::OffsetRect(&row, 0, rowHeight_);
  }
  ::EndPaint(*this, &ps);
}

LRESULT CTipWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DPICHANGED:
      // A tip stays where it was shown; only its font and size follow the monitor.
      LoadFont(DpiOfMessage(wp));
      FitToRows();
      ::InvalidateRect(*this, nullptr, FALSE);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return CWnd::WindowProc(msg, wp, lp);
  }
}

// ---------------------------------------------------------------- CTimeTipWnd

CTimeTipWnd::~CTimeTipWnd() { Destroy(); }

bool CTimeTipWnd::Create(HWND owner, int64_t t) {
  Destroy();
  if (!RegisterWindowClass(kTimeTipClass, CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW))) return false;
  dpi_ = owner ? WindowDpi(owner) : SystemDpi();
  font_ = NoteFont(nullptr, TipClearType(), dpi_);
  const RECT offScreen{-100, 0, -90, 10};
  if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_LAYERED, kTimeTipClass, L"Now", WS_POPUP, offScreen, owner)) return false;
  ::SetLayeredWindowAttributes(*this, kColorKey, 0, LWA_COLORKEY);
  SetTime(t);
  return true;
}

void CTimeTipWnd::SetTime(int64_t t) {
  time_ = t;
  const LocalFields f = MachineLocalTime().FieldsOf(ClampTime(t));
  text_ = ToWide(FormatText(ToU16(LoadResString(IDS_TIP_NOW)),
                            {LocaleDate(f, DATE_LONGDATE), LocaleTime(f.secondOfDay, false)}));
  if (!GetSafeHwnd()) return;
  SIZE text{};
  {
    WindowDC dc(*this);
    SelectObjectScope select(dc.get(), font_.get());
    text = TextSize(dc.get(), text_, DT_RIGHT);
  }
  RECT now{};
  ::GetWindowRect(*this, &now);
  const RECT32 work = WorkAreaAt({now.right, now.top});
  layout_ = LayOutTimeTip(text.cx, text.cy, Width(work), dpi_);
  const RECT32 r = KeepTopRight(FromWinRect(now), layout_.width, layout_.height);
  ::SetWindowPos(*this, nullptr, r.left, r.top, Width(r), Height(r), SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(*this, nullptr, FALSE);
}

void CTimeTipWnd::PointAt(POINT screen) {
  if (!GetSafeHwnd()) return;
  ::SetWindowPos(*this, nullptr, screen.x - layout_.width + 1, screen.y - layout_.height / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // A colour-keyed window is not always painted when shown, nor keeps its pixels when moved
  // (seen under Wine): the label is small, so it paints again after every move.
  ::RedrawWindow(*this, nullptr, nullptr, RDW_INVALIDATE);
}

void CTimeTipWnd::Destroy() {
  if (GetSafeHwnd()) DestroyWindow();
}

void CTimeTipWnd::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(*this, &ps);
  RECT client{};
  ::GetClientRect(*this, &client);
  BrushHandle key(::CreateSolidBrush(kColorKey));
  ::FillRect(dc, &client, key.get());
  std::vector<POINT> outline;
  for (const Point32& p : TimeTipOutline(layout_)) outline.push_back({p.x, p.y});
  {
    PenHandle pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWFRAME)));
    SelectObjectScope selectPen(dc, pen.get());
    SelectObjectScope selectBrush(dc, ::GetSysColorBrush(COLOR_INFOBK));
    ::Polygon(dc, outline.data(), static_cast<int>(outline.size()));
  }
  SelectObjectScope selectFont(dc, font_.get());
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  ::SetBkMode(dc, TRANSPARENT);
  // Line by line, so that a label narrowed to the work area cuts each line with an ellipsis.
  RECT line = ToWinRect(layout_.text);
  size_t start = 0;
  while (start <= text_.size()) {
    size_t end = text_.find(L'\n', start);
    if (end == std::wstring::npos) end = text_.size();
    const std::wstring part = text_.substr(start, end - start);
    const int height = TextSize(dc, part.empty() ? L" " : part, DT_SINGLELINE).cy;
    line.bottom = line.top + height;
    ::DrawTextW(dc, part.c_str(), static_cast<int>(part.size()), &line,
                DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX | DT_END_ELLIPSIS);
    line.top = line.bottom;
    start = end + 1;
  }
  ::EndPaint(*this, &ps);
}

LRESULT CTimeTipWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DPICHANGED:
      // Pointed at a place on another monitor: the label keeps its top-right corner and is
      // laid out again in that monitor's font.
      dpi_ = DpiOfMessage(wp);
      font_ = NoteFont(nullptr, TipClearType(), dpi_);
      SetTime(time_);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return CWnd::WindowProc(msg, wp, lp);
  }
}

}  // namespace zavra
