#include "notewnd/Snapping.h"

#include <cstdlib>

namespace zavra {

namespace {

// The nearest candidate kept so far; the first of equal ones wins.
struct Best {
  explicit Best(int32_t reach) : reach(reach), delta(reach) {}
  int32_t reach;
  int32_t delta;
  bool found = false;
  void Offer(int32_t d) {
    if (std::abs(d) < reach && std::abs(d) < std::abs(delta)) {
      delta = d;
      found = true;
    }
  }
  int32_t value() const { return found ? delta : 0; }
};

bool MovesTop(int zone) { return zone == 0 || zone == 3 || zone == 4 || zone == 5; }
bool MovesBottom(int zone) { return zone == 0 || zone == 6 || zone == 7 || zone == 8; }
bool MovesLeft(int zone) { return zone == 0 || zone == 1 || zone == 4 || zone == 7; }
bool MovesRight(int zone) { return zone == 0 || zone == 2 || zone == 5 || zone == 8; }

// The smaller in size of two candidates; a missing one never wins.
int32_t Smaller(const Best& a, const Best& b) {
  if (!a.found) return b.value();
  if (!b.found) return a.value();
  return std::abs(b.delta) < std::abs(a.delta) ? b.delta : a.delta;
}

}  // namespace

RECT32 SnapRect(int zone, const RECT32& r, std::span<const RECT32> others, int32_t gap, int32_t reach) {
  Best top(reach), bottom(reach), left(reach), right(reach);
  auto Within = [reach](int32_t d) { return std::abs(d) < reach; };
  for (const RECT32& o : others) {
    const bool beside = Within(r.left - gap - o.right) || Within(o.left - r.right - gap);
    const bool overlapsH = r.left < o.right && r.right > o.left;
    if (beside || overlapsH) {
      if (MovesTop(zone)) top.Offer(beside ? o.top - r.top : o.bottom + gap - r.top);
      if (MovesBottom(zone)) bottom.Offer(beside ? o.bottom - r.bottom : o.top - gap - r.bottom);
    }
    const bool stacked = Within(r.top - gap - o.bottom) || Within(o.top - r.bottom - gap);
    const bool overlapsV = r.top < o.bottom && r.bottom > o.top;
    if (stacked || overlapsV) {
      if (MovesLeft(zone)) left.Offer(stacked ? o.left - r.left : o.right + gap - r.left);
      if (MovesRight(zone)) right.Offer(stacked ? o.right - r.right : o.left - gap - r.right);
    }
  }
  RECT32 out = r;
  if (zone == 0) {
    const int32_t dx = Smaller(left, right), dy = Smaller(top, bottom);
    out.left += dx;
    out.right += dx;
    out.top += dy;
    out.bottom += dy;
    return out;
  }
  out.top += top.value();
  out.bottom += bottom.value();
  out.left += left.value();
  out.right += right.value();
  return out;
}

}  // namespace zavra
