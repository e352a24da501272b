#pragma once
// 32-bit top-down DIBs: what layered windows, image lists and our pixel code all expect.
#include <cstdint>

#include "framework/Handles.h"

namespace zavra {

inline BITMAPINFO TopDownArgbInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A DIB section of width x height 0xAARRGGBB pixels; `bits` (when given) receives them, or null
// when the section could not be made.
inline BitmapHandle CreateTopDownDib(int width, int height, uint32_t** bits = nullptr, HDC dc = nullptr) {
  const BITMAPINFO info = TopDownArgbInfo(width, height);
  void* pixels = nullptr;
  BitmapHandle bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!pixels) bitmap.reset();
  if (bits) *bits = static_cast<uint32_t*>(pixels);
  return bitmap;
}

}  // namespace zavra
