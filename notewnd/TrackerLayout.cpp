#include "notewnd/TrackerLayout.h"

#include <algorithm>
#include <vector>

#include "app/Geometry.h"
#include "app/Settings.h"

namespace zavra {

namespace {

constexpr uint32_t kColorBits = 0xFFFFFF;
constexpr int32_t kTextMargins = 22;  // icon column and the gaps either side of the text

int64_t Span(int32_t from, int32_t to) { return static_cast<int64_t>(to) - from; }

}  // namespace

RECT32 TrackArea(const RECT32& stored, const RECT32& primaryWork, std::span<const RECT32> monitors,
                 std::span<const RECT32> workAreas) {
  RECT32 r = stored;
  if (Span(r.left, r.right) < kTrackAreaMinSize || Span(r.top, r.bottom) < kTrackAreaMinSize)
    r = DefaultTrackRect(primaryWork);
  const RECT32 work = monitors.empty() || workAreas.empty() ? primaryWork : WorkAreaFor(r, monitors, workAreas);
  // Everything in 64 bits: a stored edge may lie anywhere in the 32-bit range.
  const int64_t w = std::clamp<int64_t>(Span(r.left, r.right), 0, std::max<int64_t>(Span(work.left, work.right), 0));
  const int64_t h = std::clamp<int64_t>(Span(r.top, r.bottom), 0, std::max<int64_t>(Span(work.top, work.bottom), 0));
  const int64_t left = std::clamp<int64_t>(r.left, work.left, std::max<int64_t>(work.left, work.right - w));
  const int64_t top = std::clamp<int64_t>(r.top, work.top, std::max<int64_t>(work.top, work.bottom - h));
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + w),
          static_cast<int32_t>(top + h)};
}

int32_t TrackGapPixels(uint32_t stored) { return static_cast<int32_t>(std::min(stored, kMaxTrackGap)); }

int32_t TrackerTextWidth(int32_t width) { return static_cast<int32_t>(std::max<int64_t>(1, int64_t{width} - kTextMargins)); }

int32_t TrackerHeight(int32_t textHeight, int32_t textLine, int32_t headerLine, bool withHeader) {
  const int64_t text = std::min<int64_t>(std::max(textHeight, 0), 2 * int64_t{std::max(textLine, 0)});
  const int64_t h = text + 4 + (withHeader ? std::max(headerLine, 0) : 0);
  return static_cast<int32_t>(std::clamp<int64_t>(h, kTrackerMinHeight, kTrackerMaxHeight));
}

void OutlineInk(std::span<uint32_t> pixels, int32_t width, int32_t height, uint32_t paper, uint32_t key) {
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) return;
  const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
  const size_t first = std::min<size_t>(kTrackerIconColumns, w);
  paper &= kColorBits;
  auto at = [w](size_t x, size_t y) { return y * w + x; };
  auto ink = [&](size_t x, size_t y) { return (pixels[at(x, y)] & kColorBits) != paper; };

  // Each step reads the mask as the step before left it; neighbours outside the bitmap count
  // as paper.
  std::vector<uint8_t> mask(w * h, 1);
  for (size_t y = 0; y + 1 < h; ++y)
    for (size_t x = first; x < w; ++x)
      if (ink(x, y + 1)) mask[at(x, y)] = 0;
  std::vector<uint8_t> before = mask;
  for (size_t y = 0; y + 1 < h; ++y)
    for (size_t x = first; x + 1 < w; ++x)
      if (!before[at(x + 1, y)]) mask[at(x, y + 1)] = 0;
  before = mask;
  for (size_t y = 0; y + 1 < h; ++y)
    for (size_t x = first; x + 1 < w; ++x)
      if (!before[at(x, y)]) mask[at(x + 1, y + 1)] = 0;

  for (size_t y = 0; y < h; ++y)
    for (size_t x = 0; x < w; ++x)
      if (x < first || (mask[at(x, y)] && !ink(x, y))) pixels[at(x, y)] = key;
}

}  // namespace zavra
