#include <gtest/gtest.h>
#include "app/Geometry.h"
#include <random>
#include <vector>

namespace zavra {

static std::ostream& operator<<(std::ostream& os, const RECT32& r) {
  return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
static bool operator==(const RECT32& a, const RECT32& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

const RECT32 kWork{0, 0, 1280, 1000};

TEST(Placement, WithoutOpenNotesTheRectangleStays) {
  const RECT32 r{100, 100, 224, 173};
  EXPECT_EQ(PlaceClearOfNotes(r, {}, 3, kWork), r);
}

TEST(Placement, EachStartDirectionPushesPastTheObstacleAndItsGap) {
  // R.right mod 4 picks the first direction: 0 right, 1 up, 2 left, 3 down.
  // The search box reaches 150 pixels from R's centre (half-side 3/2 x 100).
  const RECT32 obstacle{420, 420, 480, 480};
  // R of 100 x 100 over the obstacle, right edge chosen for each direction.
  for (int dir = 0; dir < 4; ++dir) {
    const int32_t right = 500 + dir;
    const RECT32 r{right - 100, 400, right, 500};
    const RECT32 got = PlaceClearOfNotes(r, std::vector<RECT32>{obstacle}, 3, kWork);
    SCOPED_TRACE(dir);
    switch (dir) {
      case 0: EXPECT_EQ(got, (RECT32{483, 400, 583, 500})); break;
      case 1: EXPECT_EQ(got, (RECT32{r.left, 317, right, 417})); break;
      case 2: EXPECT_EQ(got, (RECT32{317, 400, 417, 500})); break;
      case 3: EXPECT_EQ(got, (RECT32{r.left, 483, right, 583})); break;
    }
    EXPECT_FALSE(Intersects(got, Inflated(obstacle, 3)));
  }
}

TEST(Placement, ChainsPastSeveralNotesInOneDirection) {
  const std::vector<RECT32> open{{430, 430, 450, 450}, {460, 430, 480, 450}};
  const RECT32 r{400, 400, 500, 500};  // right = 500: direction 0
  EXPECT_EQ(PlaceClearOfNotes(r, open, 3, kWork), (RECT32{483, 400, 583, 500}));
}

TEST(Placement, FallsBackToTheNextDirectionWhenTheBoxHasNoRoom) {
  // Against the work area's right edge there is no room to the right: up comes next.
  const RECT32 work{0, 0, 520, 1000};
  const RECT32 r{400, 400, 500, 500};
  EXPECT_EQ(PlaceClearOfNotes(r, std::vector<RECT32>{{420, 420, 480, 480}}, 3, work), (RECT32{400, 317, 500, 417}));
  // A same-sized note right underneath leaves no room within the box at all.
  EXPECT_EQ(PlaceClearOfNotes(r, std::vector<RECT32>{r}, 3, kWork), r);
}

TEST(Placement, NoRoomInAnyDirectionLeavesTheRectangleUnchanged) {
  // A note surrounded by notes inside a work area just large enough for them.
  const RECT32 work{0, 0, 300, 300};
  const std::vector<RECT32> open{{0, 0, 300, 300}};
  const RECT32 r{100, 100, 200, 200};
  EXPECT_EQ(PlaceClearOfNotes(r, open, 3, work), r);
}

TEST(Placement, RandomLayoutsNeverOverlapWhenMoved) {
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) {
    std::vector<RECT32> open;
    const int n = 1 + static_cast<int>(rng() % 6);
    for (int k = 0; k < n; ++k) {
      const int x = static_cast<int>(rng() % 1100), y = static_cast<int>(rng() % 900);
      open.push_back({x, y, x + 60 + static_cast<int>(rng() % 120), y + 40 + static_cast<int>(rng() % 80)});
    }
    const int x = 1 + static_cast<int>(rng() % 1100), y = static_cast<int>(rng() % 900);
    const RECT32 r{x, y, x + 124, y + 73};
    const RECT32 got = PlaceClearOfNotes(r, open, 3, kWork);
    EXPECT_EQ(Width(got), 124);
    EXPECT_EQ(Height(got), 73);
    if (got == r) continue;  // unchanged: either already clear or no room
    for (const RECT32& o : open) EXPECT_FALSE(Intersects(got, Inflated(o, 3))) << got << " hits " << o;
  }
}

TEST(WorkArea, MonitorWithMostOfTheRectangleElseTheNearest) {
  const std::vector<RECT32> monitors{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
  const std::vector<RECT32> work{{0, 0, 1280, 984}, {1280, 0, 2560, 1024}};
  EXPECT_EQ(WorkAreaFor({1300, 100, 1400, 200}, monitors, work), work[1]);
  EXPECT_EQ(WorkAreaFor({1200, 100, 1400, 200}, monitors, work), work[1]) << "most of it is on the second";
  EXPECT_EQ(WorkAreaFor({1200, 100, 1300, 200}, monitors, work), work[0]) << "most of it is on the first";
  EXPECT_EQ(WorkAreaFor({3000, 100, 3100, 200}, monitors, work), work[1]) << "off screen: the nearest";
  EXPECT_EQ(WorkAreaFor({-300, 100, -200, 200}, monitors, work), work[0]);
  // A note on the second monitor stays there when clamped into its monitor's work area.
  const RECT32 onSecond{2000, 500, 2124, 573};
  EXPECT_EQ(ClampInto(onSecond, WorkAreaFor(onSecond, monitors, work)), onSecond);
}

TEST(WorkArea, ClampKeepsTheSize) {
  const RECT32 area{0, 0, 1280, 984};
  EXPECT_EQ(ClampInto({0x7FFFFFFF - 200, 250, 0x7FFFFFFF - 76, 323}, area), (RECT32{1156, 250, 1280, 323}));
  EXPECT_EQ(ClampInto({-50, -20, 74, 53}, area), (RECT32{0, 0, 124, 73}));
  EXPECT_EQ(ClampInto({100, 950, 224, 1023}, area), (RECT32{100, 911, 224, 984}));
  EXPECT_EQ(ClampInto({-10, 0, 1500, 50}, area), (RECT32{0, 0, 1510, 50})) << "too wide: left edge wins";
}

TEST(Trackers, StackFromTheFirstRectangleWithGaps) {
  const std::vector<int32_t> heights{30, 45, 30};
  EXPECT_EQ(StackTrackers({1085, 522, 1260, 952}, heights, 5),
            (std::vector<Point32>{{1085, 522}, {1085, 557}, {1085, 607}}));
}

TEST(Trackers, SortByOccurrenceElseCreatedKeepingTies) {
  const std::vector<TrackerKey> keys{{300, 1}, {0, 200}, {100, 5}, {0, 200}, {200, 9}};
  EXPECT_EQ(SortTrackers(keys), (std::vector<size_t>{2, 1, 3, 4, 0}));
}

}  // namespace
}  // namespace zavra
