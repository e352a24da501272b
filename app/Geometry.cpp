#include "app/Geometry.h"
#include <algorithm>
#include <numeric>

namespace zavra {

bool Intersects(const RECT32& a, const RECT32& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom && a.left < a.right &&
         a.top < a.bottom && b.left < b.right && b.top < b.bottom;
}

RECT32 Inflated(const RECT32& r, int32_t by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

RECT32 Intersection(const RECT32& a, const RECT32& b) {
  RECT32 r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.left >= r.right || r.top >= r.bottom) return {};
  return r;
}

RECT32 Offset(const RECT32& r, int32_t dx, int32_t dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

namespace {
int64_t Area(const RECT32& r) { return static_cast<int64_t>(Width(r)) * Height(r); }

// Squared distance from `r` to `m` (0 when they touch or overlap).
int64_t DistanceSquared(const RECT32& r, const RECT32& m) {
  const int64_t dx = r.right <= m.left ? m.left - r.right : (m.right <= r.left ? r.left - m.right : 0);
  const int64_t dy = r.bottom <= m.top ? m.top - r.bottom : (m.bottom <= r.top ? r.top - m.bottom : 0);
  return dx * dx + dy * dy;
}
}  // namespace

RECT32 WorkAreaFor(const RECT32& r, std::span<const RECT32> monitors, std::span<const RECT32> workAreas) {
  const size_t n = std::min(monitors.size(), workAreas.size());
  if (n == 0) return {};
  size_t best = 0;
  int64_t bestArea = -1;
  for (size_t i = 0; i < n; ++i) {
    const int64_t a = Area(Intersection(r, monitors[i]));
    if (a > bestArea) {
      bestArea = a;
      best = i;
    }
  }
  if (bestArea <= 0) {
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < n; ++i) {
      const int64_t d = DistanceSquared(r, monitors[i]);
      if (d < bestDistance) {
        bestDistance = d;
        best = i;
      }
    }
  }
  return workAreas[best];
}

RECT32 ClampInto(const RECT32& r, const RECT32& area) {
  const int32_t w = Width(r), h = Height(r);
  int32_t left = r.left, top = r.top;
  if (left + w > area.right) left = area.right - w;
  if (left < area.left) left = area.left;
  if (top + h > area.bottom) top = area.bottom - h;
  if (top < area.top) top = area.top;
  return {left, top, left + w, top + h};
}

RECT32 PlaceClearOfNotes(const RECT32& r, std::span<const RECT32> openNotes, int32_t gap, const RECT32& workArea) {
  if (openNotes.empty()) return r;
  const int32_t w = Width(r), h = Height(r);
  std::vector<RECT32> obstacles;
  obstacles.reserve(openNotes.size());
  for (const RECT32& o : openNotes) obstacles.push_back(Inflated(o, gap));

  const int32_t cx = r.left + w / 2, cy = r.top + h / 2;
  const int32_t half = std::max(w, h) * 3 / 2;
  const RECT32 box{std::max(cx - half, workArea.left), std::max(cy - half, workArea.top),
                   std::min(cx + half, workArea.right), std::min(cy + half, workArea.bottom)};

  enum { kRight, kUp, kLeft, kDown };
  const int start = ((r.right % 4) + 4) % 4;
  int direction = start;
  RECT32 c = r;
  // Every push moves the candidate strictly on inside the box, so this ends; the bound is
  // a guard against a rectangle that no arithmetic should produce.
  const size_t limit = 4 * (obstacles.size() + 1) * (obstacles.size() + 1) + 16;
  for (size_t step = 0; step < limit; ++step) {
    const RECT32* hit = nullptr;
    for (const RECT32& o : obstacles)
      if (Intersects(c, o)) {
        hit = &o;
        break;
      }
    if (!hit) return c;
    const RECT32& o = *hit;
    bool pushed = true;
    switch (direction) {
      case kRight:
        if (w < box.right - o.right) c = {o.right, c.top, o.right + w, c.bottom};
        else pushed = false;
        break;
      case kUp:
        if (h < o.top - box.top) c = {c.left, o.top - h, c.right, o.top};
        else pushed = false;
        break;
      case kLeft:
        if (w < o.left - box.left) c = {o.left - w, c.top, o.left, c.bottom};
        else pushed = false;
        break;
      default:
        if (h < box.bottom - o.bottom) c = {c.left, o.bottom, c.right, o.bottom + h};
        else pushed = false;
        break;
    }
    if (!pushed) {
      direction = (direction + 1) % 4;
      if (direction == start) return r;
      c = r;
    }
  }
  return r;
}

std::vector<Point32> StackTrackers(const RECT32& first, std::span<const int32_t> heights, int32_t gap) {
  std::vector<Point32> out;
  out.reserve(heights.size());
  // Trackers may run past the area's bottom, but never past the coordinate range.
  constexpr int64_t kLowest = INT32_MAX;
  int64_t y = first.top;
  for (int32_t h : heights) {
    out.push_back({first.left, static_cast<int32_t>(std::min(y, kLowest))});
    y = std::min(y + std::max(h, 0) + std::max(gap, 0), kLowest);
  }
  return out;
}

std::vector<size_t> SortTrackers(std::span<const TrackerKey> keys) {
  std::vector<size_t> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  auto key = [&](size_t i) { return keys[i].occurrence ? keys[i].occurrence : keys[i].created; };
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
  return order;
}

}  // namespace zavra
