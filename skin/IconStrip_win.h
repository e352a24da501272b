#pragma once
// The icon strip "icons.bmp" (16-pixel images side by side, the top-left pixel's colour
// transparent) as an image list at the icon size of a DPI.
#include <string>

#include "framework/Handles.h"

namespace zavra {

inline constexpr int kIconStripCell = 16;

// The strip's images at `size` pixels; each image is scaled on its own, so no colour runs over
// from a neighbour. Null when the file is missing or is no strip.
ImageListHandle LoadIconStrip(const std::wstring& path, int size = kIconStripCell);
// The same for a strip of 16-pixel images in a bitmap resource whose transparent colour is `key`.
ImageListHandle LoadResourceStrip(HINSTANCE instance, UINT id, ::COLORREF key, int size = kIconStripCell);

// The icon size for `dpi`: 16 pixels at 96 DPI.
int IconSizeAt(uint32_t dpi);

}  // namespace zavra
