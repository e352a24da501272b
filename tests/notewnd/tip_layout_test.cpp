// Tip contents and geometry: note summaries, tips kept on the work area, the "Now" label's box
// and outline, and the glyph strokes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "notewnd/TipLayout.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::FixedOffsetZone;

// Dates as "2026-03-08", readings as "09:30:00": what the rows are made of shows plainly.
class PlainFormat final : public SummaryFormat {
 public:
  std::u16string LongDate(const LocalFields& d) const override {
    char s[32];
    std::snprintf(s, sizeof s, "%04lld-%02d-%02d", static_cast<long long>(d.year), d.month, d.day);
    return std::u16string(s, s + std::strlen(s));
  }
  std::u16string TimeWithSeconds(int t) const override {
    char s[32];
    std::snprintf(s, sizeof s, "%02d:%02d:%02d", t / 3600, t / 60 % 60, t % 60);
    return std::u16string(s, s + std::strlen(s));
  }
};

std::vector<std::u16string> Rows(const NOTE_PAD& note) {
  static const FixedOffsetZone zone(3600);
  CalendarNames names;
  names.shortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  return NoteSummaryRows(note, PlainFormat(), u"Created: %s %s", names, zone);
}

TEST(TipSummary, RowsForEachKindOfNote) {
  const FixedOffsetZone zone(3600);
  NOTE_PAD plain;
  plain.text = u"  Call the bank. Then lunch";
  plain.created = test::Utc(2026, 3, 8, 8, 15, 5);  // 09:15:05 local
  EXPECT_EQ(Rows(plain), (std::vector<std::u16string>{u"Call the bank.", u"Created: 2026-03-08 09:15:05"}));

  NOTE_PAD once = test::Scheduled(zone, 2026, 3, 8, 9 * 3600 + 1800, kRepeatNone);
  test::EndOn(once, zone, 2026, 3, 10);
  once.timeTo = 17 * 3600;
  once.text = u"Trip";
  EXPECT_EQ(Rows(once),
            (std::vector<std::u16string>{u"Trip", u"2026-03-08 09:30:00", u" ~ 2026-03-10 17:00:00"}));

  NOTE_PAD weekly = test::Scheduled(zone, 2026, 3, 2, 8 * 3600, kRepeatWeekly, 1, 0x02 | 0x10);  // Mon, Thu
  weekly.timeTo = 8 * 3600 + 900;
  weekly.text = u"Stand-up";
  EXPECT_EQ(Rows(weekly), (std::vector<std::u16string>{u"Stand-up", u"2026-03-02 ~ ", u"Every Mon Thu",
                                                       u"08:00:00 ~ 08:15:00"}))
      << "an open-ended series shows its first day and nothing after the tilde";
  test::EndOn(weekly, zone, 2026, 6, 29);
  EXPECT_EQ(Rows(weekly)[1], u"2026-03-02 ~ 2026-06-29");

  NOTE_PAD damaged = once;
  damaged.timeFrom = -5;
  damaged.timeTo = 100000;
  EXPECT_EQ(Rows(damaged)[1], u"2026-03-08 00:00:00");
  EXPECT_EQ(Rows(damaged)[2], u" ~ 2026-03-10 23:59:59");
}

TEST(TipGeometry, TipsStayOnTheWorkArea) {
  const RECT32 work{0, 0, 1280, 994};
  const struct {
    const char* what;
    int32_t x, y, left, top;
  } cases[] = {
      {"room enough", 100, 100, 100, 100},
      {"near the right edge: moved left", 1200, 100, 1080, 100},
      {"near the bottom: moved up", 100, 980, 100, 954},
      {"off the top-left corner", -50, -20, 0, 0},
  };
  for (const auto& c : cases) {
    const RECT32 r = PlaceTip(c.x, c.y, 200, 40, work);
    EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}), (std::array{c.left, c.top, 200, 40}))
        << c.what;
  }
}

TEST(TipGeometry, NowLabelHoldsItsWholeTextAndKeepsItsCorner) {
  for (int32_t textWidth : {1, 57, 333}) {
    const TimeTipLayout l = LayOutTimeTip(textWidth, 26, 0);
    EXPECT_EQ(l.height, 30);
    EXPECT_EQ(l.tail, 15);
    EXPECT_GE(l.text.right - l.text.left, textWidth) << "the start of the date must not be cut";
    EXPECT_LE(l.text.right, l.width - 1 - l.tail) << "the text stays left of the arrow";
  }
  const TimeTipLayout capped = LayOutTimeTip(2000, 26, 640);
  EXPECT_EQ(capped.width, 640) << "never wider than the work area";
  EXPECT_EQ(capped.text.right, 640 - 4 - 15);
  const std::vector<Point32> outline = TimeTipOutline(LayOutTimeTip(100, 26, 0));
  ASSERT_EQ(outline.size(), 5u);
  EXPECT_EQ(outline[2], (Point32{122, 15})) << "the point sits mid-height at the right edge";
  const RECT32 r = KeepTopRight({300, 40, 420, 70}, 90, 34);
  EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array{330, 40, 420, 74}));
}

TEST(GlyphStrokes, TextKindsDrawNoneAndTrianglesPointFromTheMiddle) {
  for (int kind : {int{kGlyphBoldText}, int{kGlyphText}, 9}) EXPECT_TRUE(GlyphStrokes(kind, {0, 0, 16, 14}).empty()) << kind;
  EXPECT_EQ(GlyphStrokes(kGlyphLeft, {10, 20, 26, 34})[0][0], (Point32{13, 27})) << "the item's own middle";
  EXPECT_EQ(GlyphStrokes(kGlyphCross, {0, 0, 16, 14}).size(), 2u);
}

}  // namespace
}  // namespace zavra
