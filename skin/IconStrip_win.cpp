#include "skin/IconStrip_win.h"

#include <vector>

#include "framework/Dib.h"
#include "framework/DpiScale.h"
#include "skin/PixelScale.h"

namespace zavra {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

// The bitmap's pixels as 0xAARRGGBB rows, top-down, with the key colour (CLR_DEFAULT: the
// top-left pixel's) cut out.
bool ReadStrip(HBITMAP bitmap, ::COLORREF keyColor, int& width, int& height, std::vector<uint32_t>& pixels) {
  BITMAP info{};
  if (!::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return false;
  width = info.bmWidth;
  height = info.bmHeight;
  BITMAPINFO bi = TopDownArgbInfo(width, height);
  pixels.assign(static_cast<size_t>(width) * height, 0);
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (rows != height) return false;
  const uint32_t key = keyColor == CLR_DEFAULT
                           ? pixels[0] & 0xFFFFFF
                           : (keyColor & 0xFF) << 16 | (keyColor & 0xFF00) | (keyColor >> 16 & 0xFF);
  for (uint32_t& p : pixels) p = (p & 0xFFFFFF) == key ? 0 : (p | kOpaque);
  return true;
}

BitmapHandle MakeArgbBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
  uint32_t* bits = nullptr;
  BitmapHandle bitmap = CreateTopDownDib(width, height, &bits);
  if (bits) std::copy(pixels.begin(), pixels.end(), bits);
  return bitmap;
}

// Each 16-pixel image of the strip scaled on its own into a 32-bit image list.
ImageListHandle ScaledStrip(HBITMAP file, ::COLORREF key, int size) {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  if (!file || !ReadStrip(file, key, width, height, pixels)) return {};
  const int count = width / kIconStripCell;
  if (count <= 0) return {};
  // Premultiplied, as the image list's alpha blending wants; the cut-out pixels are 0 already.
  std::vector<uint32_t> strip(static_cast<size_t>(size) * count * size, 0);
  std::vector<uint32_t> cell(static_cast<size_t>(kIconStripCell) * height);
  for (int i = 0; i < count; ++i) {
    for (int y = 0; y < height; ++y)
      std::copy_n(pixels.begin() + static_cast<ptrdiff_t>(y) * width + i * kIconStripCell, kIconStripCell,
                  cell.begin() + static_cast<ptrdiff_t>(y) * kIconStripCell);
    const std::vector<uint32_t> scaled = ScalePixels(cell, kIconStripCell, height, size, size);
    for (int y = 0; y < size && !scaled.empty(); ++y)
      std::copy_n(scaled.begin() + static_cast<ptrdiff_t>(y) * size, size,
                  strip.begin() + static_cast<ptrdiff_t>(y) * size * count + i * size);
  }
  BitmapHandle bitmap = MakeArgbBitmap(size * count, size, strip);
  ImageListHandle list(::ImageList_Create(size, size, ILC_COLOR32, count, 10));
  if (!bitmap || !list || ::ImageList_Add(list.get(), bitmap.get(), nullptr) < 0) return {};
  return list;
}

}  // namespace

int IconSizeAt(uint32_t dpi) { return ScaleToDpi(kIconStripCell, dpi); }

ImageListHandle LoadIconStrip(const std::wstring& path, int size) {
  if (size == kIconStripCell) {
    // CLR_DEFAULT takes the top-left pixel as the transparent colour.
    return ImageListHandle(::ImageList_LoadImageW(nullptr, path.c_str(), kIconStripCell, 10, CLR_DEFAULT,
                                                  IMAGE_BITMAP, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  }
  if (size <= 0) return {};
  BitmapHandle file(static_cast<HBITMAP>(
      ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  return ScaledStrip(file.get(), CLR_DEFAULT, size);
}

ImageListHandle LoadResourceStrip(HINSTANCE instance, UINT id, ::COLORREF key, int size) {
  if (size == kIconStripCell) {
    return ImageListHandle(::ImageList_LoadImageW(instance, MAKEINTRESOURCEW(id), kIconStripCell, 0, key,
                                                  IMAGE_BITMAP, LR_CREATEDIBSECTION));
  }
  if (size <= 0) return {};
  BitmapHandle file(static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                                      LR_CREATEDIBSECTION)));
  return ScaledStrip(file.get(), key, size);
}

}  // namespace zavra
