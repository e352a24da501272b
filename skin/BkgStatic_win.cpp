#include "skin/BkgStatic_win.h"

#include "framework/Handles.h"
#include "skin/SkinLayout.h"

namespace zavra {

CBkgStatic::~CBkgStatic() = default;

void CBkgStatic::SetBackground(::COLORREF color) {
  background_ = color;
  Refresh();
}

void CBkgStatic::SetPicture(const std::wstring& path) {
  picture_ = path.empty() ? nullptr : DecodePicture(path);
  Refresh();
}

void CBkgStatic::SetStretch(bool stretch, bool retainRatio) {
  stretch_ = stretch;
  retainRatio_ = retainRatio;
  Refresh();
}

void CBkgStatic::Refresh() {
  if (GetSafeHwnd()) ::InvalidateRect(*this, nullptr, FALSE);
}

void CBkgStatic::Paint(HDC dc, int width, int height) {
  BrushHandle brush(::CreateSolidBrush(background_));
  RECT all{0, 0, width, height};
  ::FillRect(dc, &all, brush.get());
  if (!picture_ || width <= 0 || height <= 0) return;
  Gdiplus::Graphics g(dc);
  g.SetPageUnit(Gdiplus::UnitPixel);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  Gdiplus::Bitmap& bitmap = picture_->Frame(0);
  const int iw = picture_->width(), ih = picture_->height();
  if (stretch_) {
    const SkinRect src = retainRatio_ ? RetainRatioSource(iw, ih, width, height) : SkinRect{0, 0, iw, ih};
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    g.DrawImage(&bitmap, Gdiplus::Rect(0, 0, width, height), src.left, src.top, src.width(), src.height(),
                Gdiplus::UnitPixel, &attributes);
  } else {
    Gdiplus::TextureBrush tiles(&bitmap, Gdiplus::WrapModeTile);
    g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    g.FillRectangle(&tiles, Gdiplus::Rect(0, 0, width, height));
  }
}

LRESULT CBkgStatic::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(*this, &ps);
      RECT client{};
      ::GetClientRect(*this, &client);
      // Drawn off-screen first so the preview does not flicker while it is rebuilt.
      MemoryDC memory(::CreateCompatibleDC(dc));
      BitmapHandle bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
      if (memory && bitmap) {
        SelectObjectScope select(memory.get(), bitmap.get());
        Paint(memory.get(), client.right, client.bottom);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      }
      ::EndPaint(*this, &ps);
      return 0;
    }
    default:
      return CWnd::WindowProc(msg, wp, lp);
  }
}

}  // namespace zavra
