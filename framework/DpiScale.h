#pragma once
// Lengths for displays of any pixel density. Everything drawn is designed at 96 dots per inch
// (100 %) and scaled to the DPI of the monitor its window stands on; stored window rectangles
// are screen pixels and are never scaled, while stored font heights are taken at 96 DPI.
// Portable: no <windows.h>.
#include <algorithm>
#include <cstdint>

#include "store/NoteRecord.h"

namespace zavra {

inline constexpr uint32_t kBaseDpi = 96;

// A DPI the system reported; nothing usable (0, absurd) counts as 96.
constexpr uint32_t UsableDpi(uint32_t dpi) { return dpi < 24 || dpi > 2400 ? kBaseDpi : dpi; }

// A length at `from` DPI as it is at `to` DPI, rounded half away from zero. A length that was
// not zero never becomes zero, so a 1-pixel line or gap survives any scale.
constexpr int32_t RescaleLength(int32_t length, uint32_t from, uint32_t to) {
  from = UsableDpi(from);
  to = UsableDpi(to);
  if (length == 0 || from == to) return length;
  const int64_t v = static_cast<int64_t>(length) * to;
  const int64_t half = from / 2;
  int64_t scaled = v >= 0 ? (v + half) / from : -((-v + half) / from);
  if (scaled == 0) scaled = length > 0 ? 1 : -1;
  return static_cast<int32_t>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}

// A 96-DPI length at `dpi`, and back.
constexpr int32_t ScaleToDpi(int32_t length96, uint32_t dpi) { return RescaleLength(length96, kBaseDpi, dpi); }
constexpr int32_t ScaleTo96(int32_t length, uint32_t dpi) { return RescaleLength(length, dpi, kBaseDpi); }

// Font heights in note and category records are kept at 96 DPI (as LOGFONT heights, either
// sign); a window draws them at its own DPI, and a font picked on a screen is stored back.
constexpr int32_t FontHeightAtDpi(int32_t storedHeight, uint32_t dpi) { return ScaleToDpi(storedHeight, dpi); }
constexpr int32_t FontHeightToStore(int32_t height, uint32_t dpi) { return ScaleTo96(height, dpi); }

// Scales 96-DPI lengths for one window: `px(16)` is 16 design pixels at that window's DPI.
class DpiScale {
 public:
  constexpr explicit DpiScale(uint32_t dpi = kBaseDpi) : dpi_(UsableDpi(dpi)) {}
  constexpr uint32_t dpi() const { return dpi_; }
  constexpr int32_t operator()(int32_t length96) const { return ScaleToDpi(length96, dpi_); }

 private:
  uint32_t dpi_;
};

// A width x height rectangle centred on `suggested`, the rectangle the system proposes when a
// window moves to a monitor of another DPI: a window whose own rounding gives a slightly
// different size still stands where the system put it.
constexpr RECT32 CentredOn(const RECT32& suggested, int32_t width, int32_t height) {
  const int64_t cx = (static_cast<int64_t>(suggested.left) + suggested.right) / 2;
  const int64_t cy = (static_cast<int64_t>(suggested.top) + suggested.bottom) / 2;
  const int64_t left = std::clamp<int64_t>(cx - width / 2, INT32_MIN, INT32_MAX - std::max(width, 0));
  const int64_t top = std::clamp<int64_t>(cy - height / 2, INT32_MIN, INT32_MAX - std::max(height, 0));
  return RECT32{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + width),
                static_cast<int32_t>(top + height)};
}

}  // namespace zavra
