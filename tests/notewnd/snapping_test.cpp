#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "notewnd/Snapping.h"

namespace zavra {
namespace {

std::string Show(const RECT32& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}
bool Same(const RECT32& a, const RECT32& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
RECT32 Rect(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

constexpr int32_t kGap = 3;
const RECT32 kOther = Rect(100, 100, 120, 80);  // right edge 220, bottom 180

TEST(Snapping, MovingBesideTheRightEdgeKeepsTheGapAndAlignsTheTop) {
  // Every distance up to 14 pixels off the gap position, either side, and a top within 14.
  for (int32_t off = -14; off <= 14; ++off) {
    for (int32_t dy : {-14, -5, 0, 9, 14}) {
      const RECT32 moved = Rect(220 + kGap + off, 100 + dy, 100, 40);  // bottom far from the other's
      const RECT32 got = SnapRect(0, moved, std::span(&kOther, 1), kGap);
      const RECT32 want = Rect(220 + kGap, 100, 100, 40);
      EXPECT_TRUE(Same(got, want)) << "offset " << off << " dy " << dy << ": got " << Show(got) << " want "
                                   << Show(want);
    }
  }
}

TEST(Snapping, FifteenPixelsAwayDoesNotSnap) {
  for (int32_t off : {15, -15, 40}) {
    const RECT32 moved = Rect(220 + kGap + off, 160, 100, 70);
    const RECT32 got = SnapRect(0, moved, std::span(&kOther, 1), kGap);
    EXPECT_EQ(got.left, moved.left) << "offset " << off << " got " << Show(got);
  }
}

TEST(Snapping, MovingBelowStacksWithTheGapAndAlignsTheLeft) {
  const RECT32 moved = Rect(108, 180 + kGap + 6, 100, 50);
  const RECT32 got = SnapRect(0, moved, std::span(&kOther, 1), kGap);
  EXPECT_TRUE(Same(got, Rect(100, 183, 100, 50))) << Show(got);
}

TEST(Snapping, MovingNeverChangesTheSize) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int32_t> pos(0, 400), size(32, 200);
  std::vector<RECT32> others;
  for (int i = 0; i < 6; ++i) others.push_back(Rect(pos(rng), pos(rng), size(rng), size(rng)));
  for (int i = 0; i < 2000; ++i) {
    const RECT32 r = Rect(pos(rng), pos(rng), size(rng), size(rng));
    const RECT32 got = SnapRect(0, r, others, kGap);
    ASSERT_EQ(got.right - got.left, r.right - r.left) << Show(r) << " -> " << Show(got);
    ASSERT_EQ(got.bottom - got.top, r.bottom - r.top) << Show(r) << " -> " << Show(got);
    ASSERT_LT(std::abs(got.left - r.left), kSnapReach) << Show(r) << " -> " << Show(got);
    ASSERT_LT(std::abs(got.top - r.top), kSnapReach) << Show(r) << " -> " << Show(got);
  }
}

TEST(Snapping, ResizingMovesOnlyTheDraggedEdges) {
  struct Case {
    int zone;
    RECT32 proposed;
    RECT32 want;
  };
  // The other note is to the right: its left edge is at 100 (see kOther).
  const Case cases[] = {
      {2, {0, 100, 90, 180}, {0, 100, 97, 180}},   // right edge stops gap before the other's left
      {1, {0, 100, 90, 180}, {0, 100, 90, 180}},   // left edge far from anything
      {6, {0, 100, 90, 175}, {0, 100, 90, 180}},   // bottom aligns with the other's bottom (beside)
      {3, {0, 108, 90, 175}, {0, 100, 90, 175}},   // top aligns with the other's top
      {8, {0, 100, 92, 171}, {0, 100, 97, 180}},   // both edges of the corner
      {4, {0, 100, 92, 171}, {0, 100, 92, 171}},   // top-left corner: neither dragged edge is near
  };
  for (const Case& c : cases) {
    const RECT32 got = SnapRect(c.zone, c.proposed, std::span(&kOther, 1), kGap);
    EXPECT_TRUE(Same(got, c.want)) << "zone " << c.zone << ": got " << Show(got) << " want " << Show(c.want);
  }
}

TEST(Snapping, TheNearerNoteWins) {
  // Both notes end left of the moved one: 10 and 2 pixels off their gap positions.
  const RECT32 others[] = {Rect(0, 0, 100, 100), Rect(0, 50, 108, 100)};
  const RECT32 moved = Rect(113, 60, 50, 50);
  const RECT32 got = SnapRect(0, moved, others, kGap);
  EXPECT_EQ(got.left, 108 + kGap) << Show(got);
  EXPECT_EQ(got.top, 50) << Show(got);
}

TEST(Snapping, NothingNearbyLeavesTheRectangle) {
  const RECT32 moved = Rect(500, 500, 100, 70);
  EXPECT_TRUE(Same(SnapRect(0, moved, std::span(&kOther, 1), kGap), moved));
  EXPECT_TRUE(Same(SnapRect(0, moved, {}, kGap), moved));
}

}  // namespace
}  // namespace zavra
