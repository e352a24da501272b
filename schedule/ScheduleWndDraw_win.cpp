// Drawing the calendar: a cached background (colour, picture, wash, grid, weekday names), then
// the month title, the day numbers and the entries, all off screen.
#include "notewnd/NoteWnd_win.h"  // first: the skin headers name the system's COLORREF
// (keep the line above first)
#include "schedule/ScheduleWnd_win.h"

#include <algorithm>
#include <string>

#include "framework/Dib.h"
#include "framework/GdiPlus.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/calendar_res.h"
#include "schedule/CalendarLook.h"
#include "skin/IconStrip_win.h"
#include "skin/SkinLayout.h"

namespace zavra {

namespace {

// At 96 DPI, like every length here; the geometry's Px scales them.
constexpr int kTitleLeft = 43;
constexpr int kTitleRight = 209;
constexpr int kTitleBottom = 40;
constexpr int kWeekdayTop = 42;
constexpr BYTE kTodayAlpha = 80;


Gdiplus::Color GdipColor(::COLORREF c, BYTE alpha = 255) {
  return Gdiplus::Color(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}

void FillSolid(HDC dc, const RECT& r, ::COLORREF color) {
  BrushHandle brush(::CreateSolidBrush(color));
  ::FillRect(dc, &r, brush.get());
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

}  // namespace

void CScheduleWnd::InvalidateGrid() {
  if (!GetSafeHwnd()) return;
  RECT grid{0, geometry_.gridTop, geometry_.width, geometry_.height};
  ::InvalidateRect(*this, &grid, FALSE);
}

void CScheduleWnd::InvalidateAll() {
  if (GetSafeHwnd()) ::InvalidateRect(*this, nullptr, FALSE);
}

::COLORREF CScheduleWnd::TonedToday() const { return ToneForBackground(MonthTitleColor(0), settings_.background); }

POINT CScheduleWnd::DayCellOrigin(int day) const {
  const CellPosition at = CellOfDay(day, leading_);
  return POINT{at.column * geometry_.columnWidth + geometry_.Px(17), at.row * geometry_.cellHeight + geometry_.Px(72)};
}

std::optional<RECT> CScheduleWnd::EntryRect(int day, uint32_t noteId) const {
  for (const EntryPiece& p : PlaceEntries(geometry_, layout_, month_, leading_, scroll_)) {
    if (layout_.entries()[static_cast<size_t>(p.entry)].note.id != noteId) continue;
    if (p.day == day || (p.day < day && day <= p.day + (kGridColumns - 1 - CellOfDay(p.day, leading_).column) &&
                         layout_.Cell(day, p.slot).entry == p.entry))
      return RECT{p.left, p.top, p.right, p.bottom};
  }
  return std::nullopt;
}

void CScheduleWnd::PaintWindow() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(*this, &ps);
  const int w = geometry_.width, h = geometry_.height;
  if (w > 0 && h > 0) {
    if (!backBuffer_ || backBufferSize_.cx != w || backBufferSize_.cy != h) {
      backBuffer_ = CreateTopDownDib(w, h);
      backBufferSize_ = {w, h};
    }
    MemoryDC memory(::CreateCompatibleDC(dc));
    if (memory && backBuffer_) {
      SelectObjectScope select(memory.get(), backBuffer_.get());
      ::IntersectClipRect(memory.get(), ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
      PaintTo(memory.get());
      ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, memory.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    }
  }
  ::EndPaint(*this, &ps);
}

void CScheduleWnd::PaintTo(HDC dc) {
  const int w = geometry_.width, h = geometry_.height;
  if (w <= 0 || h <= 0) return;
  if (!geometry_.Valid()) {
    FillSolid(dc, RECT{0, 0, w, h}, settings_.background);
    return;
  }
  BuildBackground();
  {
    MemoryDC source(::CreateCompatibleDC(dc));
    SelectObjectScope select(source.get(), background_.get());
    ::BitBlt(dc, 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
  }
  const int saved = ::SaveDC(dc);
  ::SetBkMode(dc, TRANSPARENT);
  DrawTitle(dc);
  DrawDays(dc);
  DrawEntries(dc);
  ::RestoreDC(dc, saved);
}

void CScheduleWnd::BuildBackground() {
  const int w = geometry_.width, h = geometry_.height;
  if (!backgroundDirty_ && background_ && backgroundSize_.cx == w && backgroundSize_.cy == h) return;
  background_ = CreateTopDownDib(w, h);
  backgroundSize_ = {w, h};
  backgroundDirty_ = false;
  MemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!dc || !background_) return;
  SelectObjectScope select(dc.get(), background_.get());
  FillSolid(dc.get(), RECT{0, 0, w, h}, settings_.background);
  {
    Gdiplus::Graphics g(dc.get());
    g.SetPageUnit(Gdiplus::UnitPixel);
    if (picture_.picture) {
      Gdiplus::Bitmap& bitmap = picture_.picture->Frame(0);
      const int iw = picture_.picture->width(), ih = picture_.picture->height();
      if (picture_.fit) {
        const SkinRect src = settings_.retainRatio ? RetainRatioSource(iw, ih, w, h) : SkinRect{0, 0, iw, ih};
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);  // no dark seam at the edges
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
        g.DrawImage(&bitmap, Gdiplus::Rect(0, 0, w, h), src.left, src.top, src.width(), src.height(),
                    Gdiplus::UnitPixel, &attributes);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeDefault);
      } else {
        Gdiplus::TextureBrush tiles(&bitmap, Gdiplus::WrapModeTile);
        g.FillRectangle(&tiles, Gdiplus::Rect(0, 0, w, h));
      }
      if (settings_.haziness) {
        Gdiplus::SolidBrush wash(GdipColor(settings_.background, settings_.haziness));
        const int inset = geometry_.Px(4);
        g.FillRectangle(&wash, Gdiplus::Rect(inset, inset, w - 2 * inset, h - 2 * inset));
      }
    }
    // The grid in the accent colour, as translucent as the notes.
    Gdiplus::Pen pen(GdipColor(accent_, static_cast<BYTE>(host_->AppSettings().noteOpacity & 0xFF)),
                     static_cast<Gdiplus::REAL>(geometry_.entryGap));
    const int margin = geometry_.Px(11);
    for (int row = 0; row < kGridRows; ++row) {
      const int y = geometry_.CellTop(row);
      g.DrawLine(&pen, margin, y, w - margin, y);
    }
    for (int column = 1; column < kGridColumns; ++column) {
      const int x = geometry_.CellLeft(column);
      g.DrawLine(&pen, x, geometry_.Px(64), x, h - margin);
    }
  }
  SelectObjectScope font(dc.get(), font_.get());
  ::SetBkMode(dc.get(), TRANSPARENT);
  const CalendarNames& names = host_->Names();
  for (int column = 0; column < kGridColumns; ++column) {
    const int weekday = (firstDayOfWeek_ + column) % 7;
    ::SetTextColor(dc.get(), weekday == 0 ? kCalendarSundayColor : ::GetSysColor(COLOR_WINDOWTEXT));
    RECT band{geometry_.CellLeft(column), geometry_.Px(kWeekdayTop), geometry_.CellLeft(column + 1), geometry_.gridTop};
    const std::wstring name = ToWide(names.shortDayNames[static_cast<size_t>(weekday)]);
    ::DrawTextW(dc.get(), name.c_str(), static_cast<int>(name.size()), &band,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

void CScheduleWnd::DrawTitle(HDC dc) {
  SelectObjectScope font(dc, titleFont_.get());
  ::SetTextColor(dc, ToneForBackground(MonthTitleColor(month_.relation), settings_.background));
  const CalendarGeometry& g = geometry_;
  RECT band{g.Px(kTitleLeft), 0, g.Px(kTitleRight), g.Px(kTitleBottom)};
  ::DrawTextW(dc, title_.c_str(), static_cast<int>(title_.size()), &band,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  PenHandle pen(::CreatePen(PS_SOLID, g.entryGap, accent_));
  SelectObjectScope select(dc, pen.get());
  Line(dc, g.Px(kTitleLeft), g.Px(33), g.Px(kTitleRight), g.Px(33));
  Line(dc, g.Px(kTitleLeft + 3), g.Px(35), g.Px(kTitleRight + 3), g.Px(35));
}

void CScheduleWnd::DrawDays(HDC dc) {
  SelectObjectScope font(dc, font_.get());
  const ::COLORREF today = TonedToday();
  const std::wstring more = LoadResString(IDS_CAL_MORE);
  for (int day = 1; day <= month_.days; ++day) {
    const CellPosition at = CellOfDay(day, leading_);
    const int left = geometry_.CellLeft(at.column), top = geometry_.CellTop(at.row);
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, left, top, left + geometry_.columnWidth, top + geometry_.cellHeight);
    ::COLORREF color = ::GetSysColor(COLOR_WINDOWTEXT);
    if ((month_.firstWeekday + day - 1) % 7 == 0) color = kCalendarSundayColor;
    if (day == month_.today) {
      Gdiplus::Graphics g(dc);
      Gdiplus::SolidBrush mark(GdipColor(today, kTodayAlpha));
      g.FillRectangle(&mark, Gdiplus::Rect(left + 1, top + 1, geometry_.columnWidth - 1, geometry_.cellHeight - 1));
      color = today;
    }
    const std::wstring number = std::to_wstring(day);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, number.c_str(), static_cast<int>(number.size()), &size);
    const int x = left + geometry_.Px(4), y = top + geometry_.Px(4), pad = geometry_.Px(2);
    if (day == selectedDay_) {
      FillSolid(dc, RECT{x - pad, y, x + size.cx + pad, y + size.cy}, ::GetSysColor(COLOR_HIGHLIGHT));
      color = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    ::SetTextColor(dc, color);
    ::TextOutW(dc, x, y, number.c_str(), static_cast<int>(number.size()));
    if (DayOverflows(layout_, day, scroll_, geometry_)) {
      ::SetTextColor(dc, day == month_.today ? today : ::GetSysColor(COLOR_WINDOWTEXT));
      ::TextOutW(dc, x + std::max<int>(geometry_.Px(16), size.cx + geometry_.Px(4)), y, more.c_str(),
                 static_cast<int>(more.size()));
    }
    ::RestoreDC(dc, saved);
  }
}

void CScheduleWnd::DrawEntries(HDC dc) {
  const std::vector<EntryPiece> pieces = PlaceEntries(geometry_, layout_, month_, leading_, scroll_);
  if (pieces.empty()) return;
  // One scratch strip as wide as the window: each piece is drawn there, then blended in.
  BitmapHandle scratch = CreateTopDownDib(geometry_.width + 2, geometry_.entryHeight);
  MemoryDC strip(::CreateCompatibleDC(dc));
  if (!scratch || !strip) return;
  SelectObjectScope selectStrip(strip.get(), scratch.get());
  SelectObjectScope font(strip.get(), font_.get());
  ::SetBkMode(strip.get(), TRANSPARENT);
  const BYTE opacity = static_cast<BYTE>(host_->AppSettings().noteOpacity & 0xFF);
  const int eh = geometry_.entryHeight;
  const int line = geometry_.entryGap;
  const int iconSize = IconSizeAt(geometry_.dpi);

  for (const EntryPiece& piece : pieces) {
    const CalendarEntry& entry = layout_.entries()[static_cast<size_t>(piece.entry)];
    const int w = piece.right - piece.left, h = piece.bottom - piece.top;
    if (w <= 0 || h <= 0) continue;
    const bool selected = selectedId_ != 0 && entry.note.id == selectedId_;
    const ::COLORREF border = selected ? entry.text : InactiveBorderColor(entry.paper);
    FillSolid(strip.get(), RECT{0, 0, w, eh}, entry.paper);
    {
      // The border as filled bands, so it keeps its thickness at any DPI.
      FillSolid(strip.get(), RECT{0, 0, w, line}, border);
      FillSolid(strip.get(), RECT{0, eh - line, w, eh}, border);
      if (piece.leftCap) FillSolid(strip.get(), RECT{0, 0, line, eh}, border);
      if (piece.rightCap) FillSolid(strip.get(), RECT{w - line, 0, w, eh}, border);
    }
    // The icon sits at the right end of the last piece; the title stops short of it.
    const bool icon = piece.lastPiece && !piece.excluded && entry.icon >= 1 && entry.icon < iconCount_;
    const int iconX = piece.right - iconSize - line;
    ::SetTextColor(strip.get(), entry.text);
    const int inset = geometry_.Px(2);
    RECT text{geometry_.Px(3), inset, icon ? std::min(w - inset, iconX - piece.left - line) : w - inset, eh};
    const std::wstring title = ToWide(entry.title);
    ::DrawTextW(strip.get(), title.c_str(), static_cast<int>(title.size()), &text,
                DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, piece.excluded ? static_cast<BYTE>(opacity / 2) : opacity, 0};
    ::AlphaBlend(dc, piece.left, piece.top, w, h, strip.get(), 0, 0, w, h, blend);
    if (icon) {
      const int saved = ::SaveDC(dc);
      ::IntersectClipRect(dc, iconX, piece.top - inset, iconX + iconSize, piece.bottom);
      ::ImageList_Draw(icons_.get(), entry.icon, dc, iconX, piece.top - inset, ILD_TRANSPARENT);
      ::RestoreDC(dc, saved);
    }
  }
}

}  // namespace zavra
