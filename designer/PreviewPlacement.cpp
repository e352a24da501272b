#include "designer/PreviewPlacement.h"

#include <algorithm>

namespace zavra {

namespace {

// The start of a span of `length` moved inside [low, high); the low end wins when it cannot fit.
int32_t Inside(int32_t start, int32_t length, int32_t low, int32_t high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

SkinRect FirstPreviewPaper(const SkinRect& designer) {
  constexpr int32_t kWidth = 125, kHeight = 75, kGap = 3, kDrop = 70;
  const int32_t right = designer.left - kGap, top = designer.top + kDrop;
  return SkinRect{right - kWidth, top, right, top + kHeight};
}

SkinRect KeepInsideArea(const SkinRect& paper, int zone, const SkinRect& area) {
  SkinRect r = paper;
  if (zone == 0) {
    const int32_t left = Inside(r.left, r.width(), area.left, area.right);
    const int32_t top = Inside(r.top, r.height(), area.top, area.bottom);
    return SkinRect{left, top, left + r.width(), top + r.height()};
  }
  const bool leftEdge = zone == 1 || zone == 4 || zone == 7, rightEdge = zone == 2 || zone == 5 || zone == 8;
  const bool topEdge = zone >= 3 && zone <= 5, bottomEdge = zone >= 6 && zone <= 8;
  if (leftEdge) r.left = std::max(r.left, area.left);
  if (rightEdge) r.right = std::min(r.right, area.right);
  if (topEdge) r.top = std::max(r.top, area.top);
  if (bottomEdge) r.bottom = std::min(r.bottom, area.bottom);
  return r;
}

}  // namespace zavra
