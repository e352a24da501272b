// Placement of new and imported notes, with the random source injected: the rule checked
// against a direct reference over many rectangles, and its edges by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "store/Scatter.h"

namespace zavra {
namespace {

std::string Show(const RECT32& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

// Hands out the given values in turn and counts the calls.
struct Script {
  std::vector<int> values;
  size_t used = 0;
  RandomSource Source() {
    return [this] { return values.at(used++); };
  }
};

const RECT32 kArea{0, 0, 1000, 800};

TEST(Scatter, ExtremesOfTheRandomSourceSpanTheRange) {
  // 100x50 at (400,300): d = 100, left in [300,500], top in [200,400].
  const RECT32 note{400, 300, 500, 350};
  Script low{{0, 0}}, high{{32767, 32767}}, mid{{16384, 8192}};
  EXPECT_EQ(Show(ScatterRect(note, kArea, low.Source())), Show(RECT32{300, 200, 400, 250}));
  EXPECT_EQ(Show(ScatterRect(note, kArea, high.Source())), Show(RECT32{500, 400, 600, 450}));
  // trunc(16384 / 32767 * 200) = 100, trunc(8192 / 32767 * 200) = 50
  EXPECT_EQ(Show(ScatterRect(note, kArea, mid.Source())), Show(RECT32{400, 250, 500, 300}));
  EXPECT_EQ(mid.used, 2u);
}

TEST(Scatter, ValuesOutsideTheRangeAreClamped) {
  const RECT32 note{400, 300, 500, 350};
  Script wild{{-5, 1 << 30}};
  EXPECT_EQ(Show(ScatterRect(note, kArea, wild.Source())), Show(RECT32{300, 400, 400, 450}));
}

TEST(Scatter, LargerThanTheWorkAreaShrinksToItWithoutCallingRandom) {
  Script none{{}};
  const RECT32 huge{-50, -50, 3000, 2000};
  EXPECT_EQ(Show(ScatterRect(huge, kArea, none.Source())), Show(kArea));
  EXPECT_EQ(none.used, 0u) << "lo == hi takes lo without a random draw";
}

TEST(Scatter, AtTheRightAndBottomEdgeIsPulledInside) {
  // Starts beyond the right and bottom edges: left = 900, top = 750 first, then spread leftwards only.
  Script high{{32767, 32767}}, low{{0, 0}};
  const RECT32 note{990, 790, 1090, 840};
  EXPECT_EQ(Show(ScatterRect(note, kArea, high.Source())), Show(RECT32{900, 750, 1000, 800}));
  EXPECT_EQ(Show(ScatterRect(note, kArea, low.Source())), Show(RECT32{800, 650, 900, 700}));
}

TEST(Scatter, AtTheLeftEdgeSpreadsRightOnly) {
  Script low{{0, 0}};
  const RECT32 note{-500, -500, -400, -450};
  // hi = min(-500 + 100, 900) = -400 < lo = 0: both edges take lo.
  EXPECT_EQ(Show(ScatterRect(note, kArea, low.Source())), Show(RECT32{0, 0, 100, 50}));
  EXPECT_EQ(low.used, 0u);
}

TEST(Scatter, WorkAreaNotAtTheOrigin) {
  const RECT32 area{-1280, 100, 0, 1100};  // a monitor left of the primary one
  Script high{{32767, 0}};
  const RECT32 note{-700, 500, -580, 580};  // 120x80, d = 120
  EXPECT_EQ(Show(ScatterRect(note, area, high.Source())), Show(RECT32{-580, 380, -460, 460}));
}

TEST(Scatter, ExtremeCoordinatesFromAFileDoNotOverflow) {
  Script mid{{16384, 16384}};
  const RECT32 wild{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  EXPECT_EQ(Show(ScatterRect(wild, kArea, mid.Source())), Show(kArea));
  const RECT32 inverted{500, 500, 400, 400};  // negative size counts as none
  const RECT32 placed = ScatterRect(inverted, kArea, mid.Source());
  EXPECT_EQ(placed.right, placed.left);
  EXPECT_EQ(placed.bottom, placed.top);
}

// The rule as written, step by step, for comparison.
// Like rand, a value is drawn only where there is a range to draw in.
RECT32 Reference(RECT32 r, const RECT32& w, int rx, int ry) {
  const int draws[] = {rx, ry};
  int drawn = 0;
  const long long ww = w.right - w.left, wh = w.bottom - w.top;
  const long long width = std::min<long long>(r.right - r.left, ww), height = std::min<long long>(r.bottom - r.top, wh);
  long long left = r.left, top = r.top;
  if (left > w.right - width) left = w.right - width;
  if (top > w.bottom - height) top = w.bottom - height;
  const long long d = std::max(width, height);
  auto edge = [&](long long e, long long a, long long b, long long d) {
    const long long lo = std::max(e - d, a), hi = std::min(e + d, b);
    return lo < hi ? lo + draws[drawn++] * (hi - lo) / 32767 : lo;
  };
  const long long nl = edge(left, w.left, w.right - width, d);
  const long long nt = edge(top, w.top, w.bottom - height, d);
  return RECT32{static_cast<int32_t>(nl), static_cast<int32_t>(nt), static_cast<int32_t>(nl + width),
                static_cast<int32_t>(nt + height)};
}

TEST(Scatter, AgreesWithTheRuleOverManyRectangles) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(-2000, 3000), size(1, 1500), random(0, 32767);
  for (int i = 0; i < 20000; ++i) {
    const int x = coord(rng), y = coord(rng);
    const RECT32 note{x, y, x + size(rng), y + size(rng)};
    const int rx = random(rng), ry = random(rng);
    Script s{{rx, ry}};
    const RECT32 got = ScatterRect(note, kArea, s.Source());
    const RECT32 want = Reference(note, kArea, rx, ry);
    ASSERT_EQ(Show(got), Show(want)) << "note " << Show(note) << " r " << rx << "," << ry;
    ASSERT_TRUE(got.left >= kArea.left && got.right <= kArea.right && got.top >= kArea.top &&
                got.bottom <= kArea.bottom)
        << Show(got) << " left the work area";
  }
}

TEST(Scatter, NewNoteIsCentredThenScattered) {
  EXPECT_EQ(Show(CentredRect(124, 73, 500, 250)), Show(RECT32{438, 214, 562, 287}));
  NotePlacement p;
  p.width = 100;
  p.height = 60;
  p.centreX = 500;
  p.centreY = 400;
  p.workArea = kArea;
  Script low{{0, 0}};
  p.random = low.Source();
  // centred: {450,370,550,430}; d = 100 -> lo = 350, 270
  EXPECT_EQ(Show(PlaceNewNote(p)), Show(RECT32{350, 270, 450, 330}));
}

TEST(Scatter, CrtRandomStaysInItsRange) {
  for (int i = 0; i < 1000; ++i) {
    const int r = CrtRandom();
    ASSERT_TRUE(r >= 0 && r <= 32767) << r;
  }
}

}  // namespace
}  // namespace zavra
