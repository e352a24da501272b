// The tracker stack's portable parts: the area, order and stacking, the outline, and the
// occurrence a tracker shows through its countdown and alarm.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "app/Geometry.h"
#include "app/Settings.h"
#include "notewnd/TrackerLayout.h"
#include "notewnd/TrackerSchedule.h"
#include "schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::FixedOffsetZone;
using test::Scheduled;
using test::Utc;

class NoTexts final : public OccurrenceFormat {
 public:
  std::u16string DateText(int64_t) const override { return u"d"; }
  std::u16string TimeText(int64_t) const override { return u"t"; }
};

std::string Show(const RECT32& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

const RECT32 kWork{0, 0, 1280, 984};

TEST(TrackerArea, AbsurdRectanglesGiveTheDefaultAndEdgesStayInTheWorkArea) {
  const std::string fallback = Show(DefaultTrackRect(kWork));
  struct Case {
    RECT32 stored;
    std::string area;
  };
  const Case cases[] = {
      {{1000, 500, 1200, 900}, "1000,500-1200,900"},
      {{0, 0, 0, 0}, fallback},                                      // missing
      {{1200, 900, 1000, 500}, fallback},                            // inverted
      {{100, 100, 131, 400}, fallback},                              // under 32 wide
      {{INT_MAX - 10, 0, INT_MIN, 50}, fallback},                    // "width" would overflow
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, "0,0-1280,984"},        // cut to the work area
      {{INT_MAX - 300, 100, INT_MAX - 100, 300}, "1080,100-1280,300"},  // moved back in
  };
  for (const Case& c : cases) EXPECT_EQ(Show(TrackArea(c.stored, kWork)), c.area) << Show(c.stored);
  // On a second display the area stays there.
  const std::vector<RECT32> monitors{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
  const std::vector<RECT32> work{kWork, {1280, 0, 2560, 1024}};
  EXPECT_EQ(Show(TrackArea({2300, 500, 2475, 950}, kWork, monitors, work)), "2300,500-2475,950");
}

TEST(TrackerArea, GapAndHeightsAreBounded) {
  EXPECT_EQ(TrackGapPixels(5), 5);
  EXPECT_EQ(TrackGapPixels(UINT32_MAX), static_cast<int32_t>(kMaxTrackGap));
  EXPECT_EQ(TrackerTextWidth(175), 153);
  EXPECT_EQ(TrackerTextWidth(-5), 1);
  EXPECT_EQ(TrackerHeight(90, 15, 13, true), 2 * 15 + 4 + 13) << "long text: two lines and the header";
  EXPECT_EQ(TrackerHeight(0, 0, 0, false), kTrackerMinHeight);
  EXPECT_EQ(TrackerHeight(INT_MAX, INT_MAX, INT_MAX, true), kTrackerMaxHeight);
  // The stack runs past the area's bottom, never past the coordinate range.
  const std::vector<int32_t> heights{INT_MAX, INT_MAX, 20};
  const std::vector<Point32> places = StackTrackers({0, INT_MAX - 50, 100, INT_MAX}, heights, 99);
  EXPECT_EQ(places.back().y, INT_MAX);
}

TEST(TrackerStack, UnscheduledThenNineThenTen) {
  const FixedOffsetZone zone(3600);
  const NoTexts format;
  const int64_t now = Utc(2026, 3, 10, 6);  // 07:00 local
  NOTE_PAD ten = Scheduled(zone, 2026, 3, 10, 10 * 3600, kRepeatNone);
  NOTE_PAD nine = Scheduled(zone, 2026, 3, 10, 9 * 3600, kRepeatNone);
  NOTE_PAD plain;
  plain.created = now - 86400;
  std::vector<TrackerKey> keys;
  for (const NOTE_PAD* n : {&ten, &plain, &nine}) {
    TrackerSchedule s(zone);
    s.Evaluate(*n, now, false, true, false, format);
    keys.push_back({s.occurrence(), n->created});
  }
  EXPECT_EQ(SortTrackers(keys), (std::vector<size_t>{1, 2, 0}));
  const std::vector<int32_t> heights{40, 27, 40};
  EXPECT_EQ(StackTrackers(TrackArea({0, 0, 0, 0}, kWork), heights, 5),
            (std::vector<Point32>{{1085, 522}, {1085, 567}, {1085, 599}}));
}

// A 24 x 3 drawing on `paper` with ink pixels at the given places; the outlined result as rows
// of '#' ink, '.' rim, ' ' key.
std::vector<std::string> Outline(uint32_t paper, std::vector<std::pair<int, int>> ink) {
  const int w = 24, h = 3;
  std::vector<uint32_t> pixels(w * h, paper | 0xFF000000u);  // alpha is not colour
  for (auto [x, y] : ink) pixels[y * w + x] = 0;
  OutlineInk(pixels, w, h, paper, kTrackerKey);
  std::vector<std::string> rows(h);
  for (int y = 0; y < h; ++y)
    for (int x = 16; x < w; ++x) {
      const uint32_t p = pixels[y * w + x] & 0xFFFFFF;
      rows[y] += p == kTrackerKey ? ' ' : p == (paper & 0xFFFFFF) ? '.' : p == 0 ? '#' : '?';
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(pixels[y * w + x], kTrackerKey) << "icon column " << x;
  return rows;
}

TEST(TrackerOutline, RimOfPaperAroundTheInkAndNothingPastTheEdges) {
  const uint32_t nearWhite = TrackerColor(0x00FFFFFF);
  EXPECT_EQ(nearWhite, kTrackerNearWhite) << "white paper would vanish into the key";
  EXPECT_EQ(Outline(nearWhite, {{20, 1}}), (std::vector<std::string>{"    .   ", "   .#.  ", "    .   "}));
  // Ink on the last column and the last row: only the neighbours inside the bitmap.
  EXPECT_EQ(Outline(0x00C0FFFF, {{23, 2}}), (std::vector<std::string>{"        ", "       .", "      .#"}));
}

TEST(TrackerSchedule, CountsDownRingsShakesAndKeepsTheOccurrenceThatRang) {
  const FixedOffsetZone zone(3600);
  const NoTexts format;
  NOTE_PAD daily = Scheduled(zone, 2026, 3, 1, 9 * 3600, kRepeatDaily);
  daily.paperColor = 0x00303030;  // colours stay untoned
  const int64_t due = Utc(2026, 3, 10, 8);
  TrackerSchedule s(zone);
  EXPECT_EQ(s.Evaluate(daily, due - 90, false, true, false, format), (TimerRequest{true, 30000}));
  TrackerSchedule::Step step = s.OnTimer(daily, due - 60, true, format);
  EXPECT_EQ(step.timer, (TimerRequest{true, 60000}));
  step = s.OnTimer(daily, due, true, format);
  EXPECT_TRUE(step.alarmDue) << "the time has come";

  // The alarm shows the occurrence that rang, in yellow, and shakes a pixel either way.
  EXPECT_EQ(s.Evaluate(daily, due + 1, true, true, false, format), (TimerRequest{true, 500}));
  EXPECT_EQ(s.occurrence(), due);
  EXPECT_EQ(s.header().baseColor(), kHeaderYellow);
  EXPECT_EQ(s.OnTimer(daily, due + 2, true, format).shake, 1);
  EXPECT_EQ(s.OnTimer(daily, due + 2, true, format).shake, -1);
  // Still ringing half a day later: the same occurrence, though tomorrow's is nearer.
  EXPECT_EQ(s.Evaluate(daily, due + 13 * 3600, true, false, false, format), (TimerRequest{}));
  EXPECT_EQ(s.occurrence(), due);
  // Switched off right after it rang: the one that rang, in red, not counted down again.
  EXPECT_EQ(s.Evaluate(daily, due + 3, false, true, true, format), (TimerRequest{true, 3600000}));
  EXPECT_EQ(s.occurrence(), due);
  EXPECT_EQ(s.header().state(), ScheduleHeader::kQuiet);
  EXPECT_EQ(s.header().baseColor(), kHeaderRed);
  // Off, half a day later: the nearest, tomorrow's.
  s.Evaluate(daily, due + 13 * 3600, false, true, false, format);
  EXPECT_EQ(s.occurrence(), due + 86400);
}

}  // namespace
}  // namespace zavra
