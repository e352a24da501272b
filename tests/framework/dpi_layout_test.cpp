// Layouts at 100, 125, 150 and 200 % (96, 120, 144 and 192 DPI): every length designed at 96 DPI
// grows with the DPI, hit zones grow with what they hit, and nothing rounds to zero.
#include <gtest/gtest.h>

#include "app/MenuModel.h"
#include "app/Settings.h"
#include "designer/PreviewPlacement.h"
#include "framework/DpiScale.h"
#include "notewnd/Snapping.h"
#include "notewnd/TipLayout.h"
#include "notewnd/TrackerLayout.h"
#include "pad/PadText.h"
#include "schedule/CalendarGeometry.h"
#include "schedule/CalendarSettings.h"
#include "skin/Skin.h"
#include "skin/SkinLayout.h"
#include "tests/skin/FakeSkinSource.h"

namespace zavra {
namespace {

TEST(DpiScale, RoundsHalfAwayFromZeroAndNeverToZero) {
  struct Case {
    int32_t length;
    uint32_t dpi;
    int32_t scaled;
  } cases[] = {{1, 96, 1},    {1, 120, 1},  {1, 144, 2},    {1, 192, 2},   {2, 120, 3},  {3, 144, 5},
               {16, 120, 20}, {16, 144, 24}, {16, 192, 32}, {-13, 144, -20}, {-1, 120, -1}, {0, 192, 0},
               {5, 0, 5},     {INT32_MAX, 192, INT32_MAX}};
  for (const Case& c : cases) EXPECT_EQ(ScaleToDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
  EXPECT_EQ(ScaleTo96(1, 192), 1) << "shrinking keeps a pixel";
  EXPECT_EQ(ScaleTo96(-1, 192), -1);
  EXPECT_EQ(RescaleLength(30, 144, 120), 25);
}

TEST(DpiScale, StoredFontHeightsGoBackUnchangedFromEveryDpi) {
  for (uint32_t dpi : {96u, 120u, 144u, 192u})
    for (int32_t height : {-8, -11, -12, -13, -16, -21, -36, 14, 20})
      EXPECT_EQ(FontHeightToStore(FontHeightAtDpi(height, dpi), dpi), height) << height << " at " << dpi;
}

TEST(DpiScale, SuggestedRectangleCentresTheWindow) {
  const RECT32 r = CentredOn({100, 200, 400, 350}, 302, 148);
  EXPECT_EQ(r.left, 99);
  EXPECT_EQ(r.top, 201);
  EXPECT_EQ(r.right - r.left, 302);
  EXPECT_EQ(r.bottom - r.top, 148);
}

class DpiLayout : public ::testing::TestWithParam<uint32_t> {
 protected:
  uint32_t dpi = GetParam();
  DpiScale px{dpi};
  double factor = dpi / 96.0;
  // A length scaled from 96 DPI, within the rounding of one pixel.
  void ExpectScaled(int32_t actual, int32_t at96, const char* what) const {
    EXPECT_NEAR(actual, at96 * factor, 1.0) << what << " at " << dpi;
    if (at96 > 0) {
      EXPECT_GT(actual, 0) << what << " at " << dpi;
    }
  }
};

TEST_P(DpiLayout, SkinIconsMarginsPicturesAndBandsScaleAroundPixelPaper) {
  test::FakeSkinSource source;
  SkinLibrary library{u"C:\\Skins\\", source};
  std::vector<LAYERINFO> infos;
  // The default skin: text margins of 1, icons 3 pixels in from the bottom corners.
  SkinPtr plain = library.GetSkin(u"");
  const SkinLayout l = LayOutSkin(*plain, 300, 150, infos, dpi);
  EXPECT_EQ(l.paper, (SkinRect{0, 0, 300, 150})) << "the paper is pixels already";
  EXPECT_EQ(l.iconSize, px(16));
  EXPECT_EQ(l.borderWidth, px(1));
  EXPECT_EQ(infos[3].left, 300 - px(16) - px(3)) << "link icon";
  EXPECT_EQ(infos[4].top, 150 - px(16) - px(3)) << "note icon";
  EXPECT_EQ(TextRect(plain->layer(2), l.paper, dpi), (SkinRect{px(1), px(1), 300 - px(1), 150 - px(1)}));

  // A 20 x 10 picture hanging 8 pixels out at the top-left, and a fixed 120 x 80 paper.
  source.pictures[u"D:\\p.png"] = {20, 10};
  SLAYER paper = test::PaperLayer();
  paper.u.paper.fixedWidth = 120;
  paper.u.paper.fixedHeight = 80;
  paper.u.paper.sizeMode = 1;
  SLAYER picture = test::ImageLayer(u"D:\\p.png", kImageOriginalSize, kAnchorTopLeft);
  picture.u.image.offsetX = picture.u.image.offsetY = -8;
  source.files[u"C:\\Skins\\Hang\\layers"] = WriteLayers(std::vector<SLAYER>{paper, picture});
  SkinPtr hang = library.GetSkin(u"Hang");
  const SkinLayout h = LayOutSkin(*hang, 999, 999, infos, dpi);
  ExpectScaled(h.paperWidth, 120, "fixed paper width");
  ExpectScaled(h.paperHeight, 80, "fixed paper height");
  EXPECT_EQ(h.paper.left, px(8)) << "the paper shifts by the scaled overhang";
  EXPECT_EQ(infos[1].width, px(20));
  EXPECT_EQ(infos[1].height, px(10));

  // The resize band grows with the paper's edge.
  const SkinRect edge{0, 0, 300, 150};
  const int32_t band = px(kResizeBand);
  EXPECT_EQ(ResizeZone(edge, band - 1, 75, band), 1);
  EXPECT_EQ(ResizeZone(edge, band, 75, band), 0);

  // Moved to this DPI from 96: the window stands centred where the system suggests.
  const SkinRect placed = PaperInWindowAt(h, {1000, 500, 1000 + h.windowWidth(), 500 + h.windowHeight()});
  EXPECT_EQ(placed.left, 1000 + h.paper.left);
  EXPECT_EQ(placed.width(), h.paperWidth);
}

TEST_P(DpiLayout, TrackerMenuRowsTipsAndSnappingScale) {
  const TrackerMetrics t = TrackerMetricsAt(dpi);
  ExpectScaled(t.iconColumns, 16, "tracker icon column");
  ExpectScaled(t.textLeft, 20, "tracker text left");
  ExpectScaled(t.textTop, 2, "tracker text top");
  ExpectScaled(TrackGapPixels(5, dpi), 5, "tracker gap");
  EXPECT_EQ(TrackGapPixels(0, dpi), 0) << "no gap stays none";
  EXPECT_EQ(TrackerTextWidth(300, dpi), 300 - px(22));
  EXPECT_EQ(TrackerHeight(0, 0, 0, false, dpi), px(16)) << "the minimum height";
  EXPECT_EQ(TrackerHeight(px(13), px(13), px(13), true, dpi), 2 * px(13) + px(4));

  for (bool header : {false, true}) {
    const MenuRowSize row = MeasureMenuRow(header, px(80), px(13), dpi);
    ExpectScaled(row.width, header ? 86 : 102, "menu row width");
    ExpectScaled(row.height, header ? 15 : 17, "menu row height");
  }
  EXPECT_EQ(MenuRowMetricsAt(dpi).iconSize, px(16));

  const TimeTipLayout tip = LayOutTimeTip(px(100), px(26), 0, dpi);
  EXPECT_EQ(tip.height, px(26) + 2 * px(2)) << "time tip height";
  ExpectScaled(tip.text.left, 4, "time tip text inset");
  ExpectScaled(TipWidth(px(100), dpi), 108, "tip width");
  for (int kind : {kGlyphCross, kGlyphBar, kGlyphLeft, kGlyphRight, kGlyphCheck})
    for (const auto& stroke : GlyphStrokes(kind, {0, 0, px(14), px(14)}, dpi))
      for (const Point32& p : stroke) {
        EXPECT_GT(p.x, 0) << "glyph " << kind << " keeps inside its frame at " << dpi;
        EXPECT_LT(p.x, px(14));
      }

  // A note dragged to within (scaled) reach of another snaps; beyond it, it does not.
  const RECT32 other{0, 0, px(100), px(100)};
  const int32_t gap = px(3), reach = px(kSnapReach);
  const RECT32 near{px(100) + gap + reach - 1, 0, px(200), px(100)};
  const RECT32 far{px(100) + gap + reach, 0, px(200), px(100)};
  EXPECT_EQ(SnapRect(0, near, {&other, 1}, gap, reach).left, px(100) + gap);
  EXPECT_EQ(SnapRect(0, far, {&other, 1}, gap, reach).left, far.left);
}

TEST_P(DpiLayout, CalendarGridEntriesAndHitsScale) {
  const int entry = px(13) + px(4);
  const CalendarGeometry g(px(700), px(500), entry, dpi);
  EXPECT_EQ(g.gridTop, px(kGridTop));
  EXPECT_EQ(g.CellLeft(0), px(kGridLeft));
  ExpectScaled(g.columnWidth, 98, "column");
  ExpectScaled(g.cellHeight, 72, "cell");
  EXPECT_GE(g.VisibleSlots(), CalendarGeometry(700, 500, 17).VisibleSlots()) << "as many entries fit as at 100 %";

  // One box on the 1st of a month that starts in the first column: hit inside, not on its caps.
  CalendarMonth month = MakeMonth(2023, 1, 0);
  NOTE_PAD note;
  note.id = 7;
  note.flags = kNoteOnCalendar;
  note.created = month.start + 3600;
  MonthLayout layout;
  layout.Build({note}, month, CategoryList{});
  const int leading = LeadingCells(month, month.firstWeekday);
  const std::vector<EntryPiece> pieces = PlaceEntries(g, layout, month, leading, 0);
  ASSERT_EQ(pieces.size(), 1u);
  const EntryPiece& p = pieces[0];
  EXPECT_EQ(p.left, g.CellLeft(0) + px(3));
  EXPECT_EQ(p.top, g.CellTop(0) + entry + px(1));
  EXPECT_EQ(HitTest(g, layout, month, leading, 0, p.left + 1, p.top + 1).entry, 0);
  EXPECT_EQ(HitTest(g, layout, month, leading, 0, p.left - 1, p.top + 1).entry, -1) << "the cap";

  const RECT32 work{0, 0, 1280, 1024};
  const RECT32 cal = DefaultCalendarRect(work, dpi);
  EXPECT_EQ(work.bottom - cal.bottom, px(50));
}

TEST_P(DpiLayout, PadCardsAndTheDesignerPreviewScale) {
  const PadCardMetrics m = PadCardMetricsAt(dpi);
  EXPECT_EQ(m.iconSize, px(16));
  ExpectScaled(m.linkColumn, 26, "pad link column");
  ExpectScaled(m.rowExtra, 12, "pad row beyond its text");
  ExpectScaled(m.insetY, 1, "pad card inset");
  EXPECT_GE(m.iconRight - m.calendarRight, m.iconSize) << "the marks at a card's top right never overlap";
  EXPECT_GE(m.calendarRight - m.linkRight, m.iconSize);
  const RECT32 pad = DefaultPadRect({0, 0, 1280, 1024}, dpi);
  EXPECT_EQ(1280 - pad.right, px(150));
  const SkinRect preview = FirstPreviewPaper({400, 300, 900, 700}, dpi);
  EXPECT_EQ(preview.width(), px(125));
  EXPECT_EQ(400 - preview.right, px(3));
}

TEST_P(DpiLayout, MissingSizesDefaultForTheDpiAndStoredOnesStayPixels) {
  Settings s;
  SavedState state;
  const RECT32 work{0, 0, 1280, 1024};
  LoadSettings(nullptr, work, s, state, dpi);
  ExpectScaled(s.noteWidth, 124, "default note width");
  ExpectScaled(s.noteHeight, 73, "default note height");
  EXPECT_EQ(s.trackRect.right - s.trackRect.left, px(195) - px(20));
}

INSTANTIATE_TEST_SUITE_P(FourScales, DpiLayout, ::testing::Values(96u, 120u, 144u, 192u),
                         [](const auto& info) { return std::to_string(info.param); });

}  // namespace
}  // namespace zavra
