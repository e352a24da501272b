#include "store/Scatter.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace zavra {

namespace {

constexpr int64_t kRandomTop = 32767;

// Rectangles come from note files and may hold anything; the sums are done in 64 bits and the
// results brought back into the 32-bit range.
int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int64_t ScatterEdge(int64_t edge, int64_t areaLow, int64_t areaHigh, int64_t size, int64_t spread,
                    const RandomSource& random) {
  if (edge > areaHigh - size) edge = areaHigh - size;
  const int64_t lo = std::max(edge - spread, areaLow);
  const int64_t hi = std::min(edge + spread, areaHigh - size);
  if (lo >= hi) return lo;
  const int64_t r = std::clamp<int64_t>(random ? random() : 0, 0, kRandomTop);
  return lo + r * (hi - lo) / kRandomTop;
}

}  // namespace

int CrtRandom() { return std::rand() & 0x7FFF; }

RECT32 CentredRect(int32_t width, int32_t height, int32_t centreX, int32_t centreY) {
  const int64_t w = std::max(width, 0), h = std::max(height, 0);
  const int64_t left = int64_t{centreX} - w / 2, top = int64_t{centreY} - h / 2;
  return RECT32{Clamp32(left), Clamp32(top), Clamp32(left + w), Clamp32(top + h)};
}

RECT32 ScatterRect(const RECT32& note, const RECT32& workArea, const RandomSource& random) {
  const int64_t areaW = std::max<int64_t>(int64_t{workArea.right} - workArea.left, 0);
  const int64_t areaH = std::max<int64_t>(int64_t{workArea.bottom} - workArea.top, 0);
  const int64_t w = std::clamp<int64_t>(int64_t{note.right} - note.left, 0, areaW);
  const int64_t h = std::clamp<int64_t>(int64_t{note.bottom} - note.top, 0, areaH);
  const int64_t spread = std::max(w, h);
  const int64_t left = ScatterEdge(note.left, workArea.left, workArea.right, w, spread, random);
  const int64_t top = ScatterEdge(note.top, workArea.top, workArea.bottom, h, spread, random);
  return RECT32{Clamp32(left), Clamp32(top), Clamp32(left + w), Clamp32(top + h)};
}

RECT32 PlaceNewNote(const NotePlacement& placement) {
  return ScatterRect(CentredRect(placement.width, placement.height, placement.centreX, placement.centreY),
                     placement.workArea, placement.random);
}

}  // namespace zavra
