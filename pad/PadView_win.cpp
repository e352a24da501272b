#include "pad/PadView_win.h"

#include <algorithm>

#include "app/MainWnd_win.h"
#include "framework/Text.h"
#include "notewnd/NoteWnd_win.h"
#include "pad/PadFrame_win.h"
#include "resources/pad_res.h"

namespace zavra {

namespace {

IconHandle RowIcon(UINT id, int size) {
  return IconHandle(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

}  // namespace

CPadView::CPadView(CPadFrame& frame) : frame_(frame) {}

bool CPadView::Create(HWND parent, UINT id) {
  // No item data: the rows live in the pad's model, the list only counts them.
  HWND h = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_NODATA |
                                 LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                             0, 0, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
  if (!h || !SubclassWindow(h)) return false;
  SetDpi(kBaseDpi);
  return true;
}

void CPadView::SetDpi(uint32_t dpi) {
  metrics_ = PadCardMetricsAt(dpi);
  linkIcon_ = RowIcon(IDI_PAD_LINK, metrics_.iconSize);
  calendarIcon_ = RowIcon(IDI_PAD_CALENDAR, metrics_.iconSize);
}

void CPadView::SetRowHeight(int height) {
  rowHeight_ = height;
  ::SendMessageW(*this, LB_SETITEMHEIGHT, 0, height);
}

int CPadView::TopRow() const { return static_cast<int>(::SendMessageW(*this, LB_GETTOPINDEX, 0, 0)); }

void CPadView::Reload(bool keepTop) {
  tip_.Hide();
  const size_t rows = frame_.model().RowCount();
  const int top = TopRow();
  cache_.assign(rows, std::nullopt);
  ::SendMessageW(*this, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(*this, LB_RESETCONTENT, 0, 0);
  if (::SendMessageW(*this, LB_SETCOUNT, rows, 0) == LB_ERR) {
    // A list box that keeps item data after all: one item per row.
    for (size_t i = 0; i < rows; ++i) ::SendMessageW(*this, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
  }
  if (keepTop && top > 0) ::SendMessageW(*this, LB_SETTOPINDEX, std::min<size_t>(static_cast<size_t>(top), rows), 0);
  ::SendMessageW(*this, LB_SETCURSEL, static_cast<WPARAM>(frame_.model().selected()), 0);
  ::SendMessageW(*this, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(*this, nullptr, TRUE);
}

void CPadView::ShowSelection(int row) { ::SendMessageW(*this, LB_SETCURSEL, static_cast<WPARAM>(row), 0); }

int CPadView::RowAt(POINT client) const {
  const LRESULT hit = ::SendMessageW(*this, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
  if (HIWORD(hit)) return -1;  // below the last row
  const int row = LOWORD(hit);
  return row < static_cast<int>(frame_.model().RowCount()) ? row : -1;
}

RECT CPadView::CardOf(const RECT& item) const {
  const int x = metrics_.insetX, y = metrics_.insetY;
  return {item.left + x, item.top + y, item.right - x, item.bottom - y};
}

CPadView::RowCache& CPadView::CacheOf(size_t row) {
  if (row >= cache_.size()) cache_.resize(frame_.model().RowCount());
  std::optional<RowCache>& slot = cache_[row];
  if (!slot) {
    RowCache c;
    c.look = LookOfRow(frame_.model().Row(row), frame_.model().categories(), frame_.model().now(),
                       ::GetSysColor(COLOR_GRAYTEXT), frame_.format());
    c.border = InactiveBorderColor(c.look.paper);
    slot = std::move(c);
  }
  return *slot;
}

void CPadView::DrawOutline(HDC dc, const RECT& card, const RowCache& cache, bool selected) {
  BrushHandle brush(::CreateSolidBrush(selected ? cache.look.text : cache.border));
  ::FrameRect(dc, &card, brush.get());
}

void CPadView::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= frame_.model().RowCount()) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  const RECT card = CardOf(item.rcItem);
  RowCache& cache = CacheOf(item.itemID);
  if (item.itemAction == ODA_SELECT) {
    DrawOutline(dc, card, cache, selected);
    return;
  }
  if (item.itemAction != ODA_DRAWENTIRE) return;
  // The gaps between the cards are the list's own background.
  ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(COLOR_WINDOW));
  {
    BrushHandle paper(::CreateSolidBrush(cache.look.paper));
    ::FillRect(dc, &card, paper.get());
  }
  DrawOutline(dc, card, cache, selected);

  const PadEntry& entry = frame_.model().Row(item.itemID);
  const int lineHeight = frame_.textHeight();
  // The marks at the top right, and the time line stopping short of them.
  const PadCardMetrics& m = metrics_;
  const int padding = m.padding, icon = m.iconSize;
  int textRight = card.right - padding;
  const int strip = frame_.icons() ? ::ImageList_GetImageCount(frame_.icons()) : 0;
  if (cache.look.icon >= 1 && cache.look.icon < strip) {
    ::ImageList_Draw(frame_.icons(), cache.look.icon, dc, card.right - m.iconRight, card.top + m.iconTop,
                     ILD_TRANSPARENT);
    textRight = card.right - m.iconRight - padding;
  }
  if (entry.note.flags & kNoteOnCalendar) {
    ::DrawIconEx(dc, card.right - m.calendarRight, card.top + m.markTop, calendarIcon_.get(), icon, icon, 0, nullptr,
                 DI_NORMAL);
    textRight = std::min<int>(textRight, card.right - m.calendarRight - padding);
  }
  if (entry.HasLink()) {
    ::DrawIconEx(dc, card.right - m.linkRight, card.top + m.markTop, linkIcon_.get(), icon, icon, 0, nullptr,
                 DI_NORMAL);
    textRight = std::min<int>(textRight, card.right - m.linkRight - padding);
  }
  SelectObjectScope font(dc, frame_.listFont());
  ::SetBkMode(dc, TRANSPARENT);
  RECT time{card.left + padding, card.top + padding, textRight, card.top + padding + lineHeight};
  ::SetTextColor(dc, cache.look.time);
  const std::wstring timeText = ToWide(cache.look.timeText);
  ::DrawTextW(dc, timeText.c_str(), static_cast<int>(timeText.size()), &time,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT | DT_TOP);

  RECT title{card.left + padding, time.bottom + m.lineGap, card.right - padding, time.bottom + m.lineGap + lineHeight};
  const std::wstring titleText = ToWide(cache.look.title);
  RECT needed{0, 0, 0, 0};
  ::DrawTextW(dc, titleText.c_str(), static_cast<int>(titleText.size()), &needed,
              DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  cache.titleCut = needed.right - needed.left > title.right - title.left;
  cache.title = {title.left - item.rcItem.left, title.top - item.rcItem.top, title.right - item.rcItem.left,
                 title.bottom - item.rcItem.top};
  ::SetTextColor(dc, cache.look.text);
  ::DrawTextW(dc, titleText.c_str(), static_cast<int>(titleText.size()), &title,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT | DT_TOP);
}

bool CPadView::OnLinkColumn(int row, POINT client) const {
  if (row < 0) return false;
  RECT client_rect{};
  ::GetClientRect(*this, &client_rect);
  return frame_.model().Row(static_cast<size_t>(row)).HasLink() && client.x >= client_rect.right - metrics_.linkColumn;
}

void CPadView::OnButtonDown(POINT client) {
  tip_.Hide();
  if (::GetFocus() != GetSafeHwnd()) ::SetFocus(*this);
  frame_.SelectRow(RowAt(client));
}

void CPadView::OnDoubleClick(POINT client) {
  tip_.Hide();
  const int row = RowAt(client);
  if (row < 0) return;
  frame_.SelectRow(row);
  if (::GetKeyState(VK_CONTROL) < 0)
    frame_.RowCommand(ID_PAD_ROW_CALENDAR);
  else if (OnLinkColumn(row, client))
    frame_.RowCommand(ID_PAD_LAUNCH_LINK);
  else
    frame_.RowCommand(ID_PAD_OPEN);
}

void CPadView::OnRightButtonUp(POINT client) {
  tip_.Hide();
  POINT screen = client;
  ::ClientToScreen(*this, &screen);
  frame_.ShowRowMenu(screen, OnLinkColumn(RowAt(client), client));
}

void CPadView::OnHover(POINT client) {
  const int row = RowAt(client);
  if (row < 0 || static_cast<size_t>(row) >= cache_.size() || !cache_[static_cast<size_t>(row)]) return;
  const RowCache& cache = *cache_[static_cast<size_t>(row)];
  RECT item{};
  ::SendMessageW(*this, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  RECT title = cache.title;
  ::OffsetRect(&title, item.left, item.top);
  if (!cache.titleCut || !::PtInRect(&title, client)) return;
  // The tip's text lies over the cut title: its border and margin sit just outside it.
  POINT at{title.left - metrics_.tipX, title.top - metrics_.tipY};
  ::ClientToScreen(*this, &at);
  tip_.SetText(ToWide(cache.look.title));
  tip_.ShowAt(at, ::GetAncestor(*this, GA_ROOT));
}

LRESULT CPadView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      OnButtonDown(at);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(at);
      return 0;
    case WM_RBUTTONUP:
      OnRightButtonUp(at);
      return 0;
    case WM_MOUSEMOVE:
      if (at.x != lastMouse_.x || at.y != lastMouse_.y) {
        lastMouse_ = at;
        tip_.Hide();
        TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, GetSafeHwnd(), HOVER_DEFAULT};
        ::TrackMouseEvent(&track);
      }
      return 0;
    case WM_MOUSEHOVER:
      OnHover(at);
      return 0;
    case WM_MOUSELEAVE:
      lastMouse_ = {-1, -1};
      tip_.Hide();
      return 0;
    case WM_CONTEXTMENU:
      if (lp == -1) {
        // The menu key: the menu at the selected row.
        RECT item{};
        const int row = frame_.model().selected();
        if (row >= 0) ::SendMessageW(*this, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        POINT screen{item.left + metrics_.menuX, item.top + rowHeight_ / 2};
        ::ClientToScreen(*this, &screen);
        frame_.ShowRowMenu(screen, false);
      }
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL: {
      tip_.Hide();
      const int top = TopRow();
      const LRESULT result = Default(msg, wp, lp);
      if (GetSafeHwnd() && TopRow() != top) frame_.ListScrolled();
      return result;
    }
    case WM_PAINT:
      if (frame_.model().RowCount() == 0) {
        // Nothing listed: no focus frame around a row that is not there.
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(*this, &ps);
        ::FillRect(dc, &ps.rcPaint, ::GetSysColorBrush(COLOR_WINDOW));
        ::EndPaint(*this, &ps);
        return 0;
      }
      return CWnd::WindowProc(msg, wp, lp);
    case WM_ERASEBKGND: {
      // Only below the last row: the rows paint themselves whole.
      RECT client{};
      ::GetClientRect(*this, &client);
      const int rows = static_cast<int>(frame_.model().RowCount()) - TopRow();
      client.top = std::max<int>(0, rows) * rowHeight_;
      if (client.top < client.bottom) ::FillRect(reinterpret_cast<HDC>(wp), &client, ::GetSysColorBrush(COLOR_WINDOW));
      return 1;
    }
    default:
      return CWnd::WindowProc(msg, wp, lp);
  }
}

}  // namespace zavra
