#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "skin/Skin.h"
#include "skin/SkinLayout.h"
#include "tests/skin/FakeSkinSource.h"

namespace zavra {

std::ostream& operator<<(std::ostream& os, const SkinRect& r) {
  return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

using test::ImageLayer;
using test::PaperLayer;

class SkinLayoutTest : public ::testing::Test {
 protected:
  test::FakeSkinSource source;
  SkinLibrary library{u"C:\\Skins\\", source};
  int next = 0;

  SkinPtr Make(const std::vector<SLAYER>& layers) {
    const std::u16string title = u"T" + std::u16string(1, static_cast<char16_t>(u'A' + next++));
    source.files[u"C:\\Skins\\" + title + u"\\layers"] = WriteLayers(layers);
    SkinPtr s = library.GetSkin(title);
    EXPECT_EQ(s->title(), title) << "the test skin loaded";
    return s;
  }
  void Picture(std::u16string_view name, int w, int h) { source.pictures[u"D:\\" + std::u16string(name)] = {w, h}; }
  static SLAYER Image(std::u16string_view name, int32_t flags, int32_t anchor, int32_t dx = 0, int32_t dy = 0) {
    SLAYER l = ImageLayer(u"D:\\" + std::u16string(name), flags, anchor);
    l.u.image.offsetX = dx;
    l.u.image.offsetY = dy;
    return l;
  }
  static SkinRect Box(const LAYERINFO& i) { return {i.left, i.top, i.left + i.width, i.top + i.height}; }
};

TEST_F(SkinLayoutTest, DefaultSkinFitsThePaperAndNeedsNoColourKey) {
  SkinPtr skin = library.GetSkin(u"");
  std::vector<LAYERINFO> infos;
  const SkinLayout l = LayOutSkin(*skin, 200, 100, infos);
  EXPECT_FALSE(l.useColorKey);
  EXPECT_EQ(l.paper, (SkinRect{0, 0, 200, 100}));
  EXPECT_EQ(l.windowWidth(), 200);
  EXPECT_EQ(l.windowHeight(), 100);
  ASSERT_EQ(infos.size(), 5u);
  EXPECT_EQ(Box(infos[3]), (SkinRect{181, 81, 197, 97})) << "link icon bottom right, -3 -3";
  EXPECT_EQ(Box(infos[4]), (SkinRect{3, 81, 19, 97})) << "note icon bottom left, 3 -3";
  EXPECT_EQ(TextRect(skin->layer(2), l.paper), (SkinRect{1, 1, 199, 99}));
}

TEST_F(SkinLayoutTest, PictureStickingOutTopLeftGrowsTheWindowAndShiftsThePaper) {
  Picture(u"p.png", 20, 20);
  SkinPtr skin = Make({PaperLayer(), Image(u"p.png", kImageOriginalSize, kAnchorTopLeft, -10, -10)});
  std::vector<LAYERINFO> infos;
  const SkinLayout l = LayOutSkin(*skin, 100, 60, infos);
  EXPECT_TRUE(l.useColorKey);
  EXPECT_EQ(l.bounds, (SkinRect{-10, -10, 100, 60}));
  EXPECT_EQ(l.paper, (SkinRect{10, 10, 110, 70}));
  EXPECT_EQ(Box(infos[1]), (SkinRect{0, 0, 20, 20}));
}

TEST_F(SkinLayoutTest, AdjustmentsInPixelsAndPercentOfPaper) {
  Picture(u"p.png", 40, 30);
  struct Case {
    const char* what;
    int32_t flags, adjustW, adjustH;
    int32_t w, h;
  } cases[] = {
      {"canvas -50% of a 200 paper", kImageCanvasSize | kImageAdjustWidth | kImageAdjustPercent, -50, 0, 100, 30},
      {"canvas +25% both", kImageCanvasSize | kImageAdjustWidth | kImageAdjustHeight | kImageAdjustPercent, 25, 25,
       250, 125},
      {"canvas -20 pixels", kImageCanvasSize | kImageAdjustWidth | kImageAdjustHeight, -20, -20, 180, 80},
      {"no adjust: picture size", kImageCanvasSize, -20, -20, 40, 30},
      {"original size cut to the picture", kImageOriginalSize | kImageAdjustWidth | kImageAdjustHeight, 0, -90, 40,
       10},
      {"tile is not cut", kImageTile | kImageAdjustWidth, 0, 0, 200, 30},
      {"MAR adjusted", kImageCanvasMar | kImageAdjustHeight, 0, 5, 40, 105},
  };
  for (const Case& c : cases) {
    SLAYER image = Image(u"p.png", c.flags, kAnchorTopLeft);
    image.u.image.adjustWidth = c.adjustW;
    image.u.image.adjustHeight = c.adjustH;
    SkinPtr skin = Make({PaperLayer(), image});
    std::vector<LAYERINFO> infos;
    LayOutSkin(*skin, 200, 100, infos);
    EXPECT_EQ(infos[1].width, c.w) << c.what;
    EXPECT_EQ(infos[1].height, c.h) << c.what;
  }
}

TEST_F(SkinLayoutTest, EmptyBoxIsNotPlaced) {
  Picture(u"p.png", 40, 30);
  SLAYER image = Image(u"p.png", kImageCanvasSize | kImageAdjustWidth, kAnchorTopLeft, -50, -50);
  image.u.image.adjustWidth = -200;
  SkinPtr skin = Make({PaperLayer(), image});
  std::vector<LAYERINFO> infos;
  const SkinLayout l = LayOutSkin(*skin, 200, 100, infos);
  EXPECT_EQ(infos[1].width, 0);
  EXPECT_FALSE(l.useColorKey) << "the empty box takes no part in the bounds";
}

TEST_F(SkinLayoutTest, AnchorsPlacePicturesAndIcons) {
  Picture(u"p.png", 20, 10);
  // Paper 100 x 50, centre 50, 25.
  const SkinRect expected[9] = {
      {40, 20, 60, 30}, {40, 0, 60, 10},  {80, 0, 100, 10}, {80, 20, 100, 30}, {80, 40, 100, 50},
      {40, 40, 60, 50}, {0, 40, 20, 50},  {0, 20, 20, 30},  {0, 0, 20, 10},
  };
  std::vector<SLAYER> layers = {PaperLayer()};
  for (int32_t a = 0; a < 9; ++a) layers.push_back(Image(u"p.png", kImageOriginalSize, a));
  for (int32_t a = 0; a < 9; ++a) {
    SLAYER icon = MakeLayer(kLayerNoteIcon);
    icon.u.icon = {a, 1, 2};
    layers.push_back(icon);
  }
  SkinPtr skin = Make(layers);
  std::vector<LAYERINFO> infos;
  const SkinLayout l = LayOutSkin(*skin, 100, 50, infos);
  // Icons pushed past the bottom edge grow the window by 2; compare relative to the paper.
  ASSERT_EQ(l.paper, (SkinRect{0, 0, 100, 50}));
  for (int32_t a = 0; a < 9; ++a) {
    EXPECT_EQ(Box(infos[1 + a]), expected[a]) << "picture anchor " << a;
    // The same rule for a 16 x 16 icon, then the offsets.
    const int32_t x = (a >= 6) ? 0 : (a >= 2 && a <= 4) ? 84 : 42;
    const int32_t y = (a == 0 || a == 3 || a == 7) ? 17 : (a >= 4 && a <= 6) ? 34 : 0;
    EXPECT_EQ(Box(infos[10 + a]), (SkinRect{x + 1, y + 2, x + 17, y + 18})) << "icon anchor " << a;
  }
}

TEST_F(SkinLayoutTest, FixedPaperAndConditionalPaper) {
  SLAYER fixed = PaperLayer();
  fixed.u.paper.sizeMode = 1;
  fixed.u.paper.fixedWidth = 300;
  fixed.u.paper.fixedHeight = 120;
  std::vector<LAYERINFO> infos;
  SkinLayout l = LayOutSkin(*Make({fixed}), 50, 50, infos);
  EXPECT_EQ(l.paper, (SkinRect{0, 0, 300, 120}));
  EXPECT_FALSE(l.useColorKey);
  l = LayOutSkin(*Make({PaperLayer(0x10)}), 50, 50, infos);
  EXPECT_TRUE(l.useColorKey) << "a paper that can hide needs the colour key";
}

TEST_F(SkinLayoutTest, NegativeTextMarginsWidenTheWindow) {
  SLAYER text = MakeLayer(kLayerText);
  text.u.text = {-4, 2, -6, 3};
  std::vector<LAYERINFO> infos;
  const SkinLayout l = LayOutSkin(*Make({PaperLayer(), text}), 100, 50, infos);
  EXPECT_EQ(l.bounds, (SkinRect{-4, 0, 106, 50}));
  EXPECT_EQ(l.paper, (SkinRect{4, 0, 104, 50}));
  EXPECT_TRUE(l.useColorKey);
}

TEST_F(SkinLayoutTest, DamagedNumbersGiveABoundedWindow) {
  Picture(u"p.png", 10, 10);
  SLAYER fixed = PaperLayer();
  fixed.u.paper.sizeMode = 1;
  fixed.u.paper.fixedWidth = INT_MAX;
  fixed.u.paper.fixedHeight = INT_MIN;
  SLAYER image = Image(u"p.png", kImageCanvasSize | 0x70, INT_MIN, INT_MAX, INT_MIN);
  image.u.image.adjustWidth = INT_MAX;
  image.u.image.adjustHeight = INT_MIN;
  SLAYER text = MakeLayer(kLayerText);
  text.u.text = {INT_MIN, INT_MIN, INT_MIN, INT_MAX};
  SLAYER icon = MakeLayer(kLayerLinkIcon);
  icon.u.icon = {INT_MAX, INT_MIN, INT_MAX};
  std::vector<LAYERINFO> infos;
  const SkinLayout l = LayOutSkin(*Make({fixed, image, text, icon}), INT_MAX, INT_MIN, infos);
  EXPECT_EQ(l.paperWidth, kMaxPaperSize);
  EXPECT_EQ(l.paperHeight, kMinPaperSize);
  EXPECT_LE(l.windowWidth(), kMaxPaperSize + kMaxBoxSize + 2 * kMaxOffset);
  EXPECT_LE(l.windowHeight(), kMaxPaperSize + kMaxBoxSize + 2 * kMaxOffset);
}

TEST(SkinPictureSource, CanvasMarCropsTheOverflowByAnchor) {
  // 100 x 50 picture into a 40 x 40 box: too wide, a 50-wide band of the full height.
  EXPECT_EQ(MarSource(kAnchorTopLeft, 100, 50, 40, 40), (SkinRect{0, 0, 50, 50}));
  EXPECT_EQ(MarSource(kAnchorTop, 100, 50, 40, 40), (SkinRect{25, 0, 75, 50}));
  EXPECT_EQ(MarSource(kAnchorCenter, 100, 50, 40, 40), (SkinRect{25, 0, 75, 50}));
  EXPECT_EQ(MarSource(kAnchorRight, 100, 50, 40, 40), (SkinRect{50, 0, 100, 50}));
  EXPECT_EQ(MarSource(kAnchorLeft, 100, 50, 40, 40), (SkinRect{0, 0, 50, 50}));
  // 50 x 100 picture into a 40 x 40 box: too tall, a 50-high band of the full width.
  EXPECT_EQ(MarSource(kAnchorTop, 50, 100, 40, 40), (SkinRect{0, 0, 50, 50}));
  EXPECT_EQ(MarSource(kAnchorCenter, 50, 100, 40, 40), (SkinRect{0, 25, 50, 75}));
  EXPECT_EQ(MarSource(kAnchorBottomRight, 50, 100, 40, 40), (SkinRect{0, 50, 50, 100}));
  EXPECT_EQ(MarSource(kAnchorTopRight, 50, 100, 40, 40), (SkinRect{0, 0, 50, 50}));
  // Same aspect: the whole picture.
  EXPECT_EQ(MarSource(kAnchorBottom, 80, 40, 40, 20), (SkinRect{0, 0, 80, 40}));
  // The band is the largest with the box's aspect (floor of the exact size), checked by cross-multiplying.
  for (int w = 8; w < 70; w += 7)
    for (int h = 8; h < 70; h += 5) {
      const SkinRect s = MarSource(kAnchorCenter, 64, 48, w, h);
      EXPECT_TRUE(s.left >= 0 && s.top >= 0 && s.right <= 64 && s.bottom <= 48) << w << "x" << h << " " << s;
      const bool fullWidth = s.width() == 64 && s.height() * w <= h * 64 && h * 64 < (s.height() + 1) * w;
      const bool fullHeight = s.height() == 48 && s.width() * h <= w * 48 && w * 48 < (s.width() + 1) * h;
      EXPECT_TRUE(fullWidth || fullHeight) << w << "x" << h << " gave " << s;
    }
}

TEST(SkinPictureSource, OriginalSizeTakesThePieceByAnchor) {
  EXPECT_EQ(OriginalSource(kAnchorTopLeft, 100, 60, 40, 20), (SkinRect{0, 0, 40, 20}));
  EXPECT_EQ(OriginalSource(kAnchorCenter, 100, 60, 40, 20), (SkinRect{30, 20, 70, 40}));
  EXPECT_EQ(OriginalSource(kAnchorBottomRight, 100, 60, 40, 20), (SkinRect{60, 40, 100, 60}));
  EXPECT_EQ(OriginalSource(kAnchorBottom, 100, 60, 40, 20), (SkinRect{30, 40, 70, 60}));
  EXPECT_EQ(OriginalSource(kAnchorLeft, 100, 60, 40, 20), (SkinRect{0, 20, 40, 40}));
  EXPECT_EQ(OriginalSource(kAnchorTopRight, 100, 60, 40, 20), (SkinRect{60, 0, 100, 20}));
}

TEST(SkinPictureSource, RetainRatioCropsTallFromTopWideFromCentre) {
  EXPECT_EQ(RetainRatioSource(100, 400, 100, 100), (SkinRect{0, 0, 100, 100})) << "too tall: the top";
  EXPECT_EQ(RetainRatioSource(400, 100, 100, 100), (SkinRect{150, 0, 250, 100})) << "too wide: the middle";
  EXPECT_EQ(RetainRatioSource(200, 100, 100, 50), (SkinRect{0, 0, 200, 100})) << "same aspect: all";
}

TEST(SkinResize, ZonesAreTheFivePixelBandsOfThePaper) {
  const SkinRect paper{10, 20, 110, 80};
  struct Case {
    int32_t x, y;
    int zone;
  } cases[] = {
      {9, 50, 0},    {10, 50, 1},  {14, 50, 1},  {15, 50, 0},  {104, 50, 0}, {105, 50, 2}, {109, 50, 2},
      {110, 50, 0},  {60, 20, 3},  {60, 24, 3},  {60, 25, 0},  {10, 20, 4},  {109, 20, 5}, {60, 79, 6},
      {60, 75, 6},   {60, 74, 0},  {14, 79, 7},  {105, 75, 8}, {60, 19, 0},  {60, 80, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ResizeZone(paper, c.x, c.y), c.zone) << "at " << c.x << "," << c.y;
}

TEST(SkinResize, ZonesMoveTheirEdges) {
  const SkinRect start{100, 100, 300, 200};
  const SkinRect expected[9] = {
      {100, 100, 300, 200}, {107, 100, 300, 200}, {100, 100, 307, 200}, {100, 103, 300, 200}, {107, 103, 300, 200},
      {100, 103, 307, 200}, {100, 100, 300, 203}, {107, 100, 300, 203}, {100, 100, 307, 203},
  };
  for (int zone = 0; zone < 9; ++zone) EXPECT_EQ(ResizeRect(start, zone, 7, 3), expected[zone]) << "zone " << zone;
}

TEST(SkinResize, MinimumStopsTheDraggedEdge) {
  const SkinRect start{100, 100, 300, 200};
  // Dragging the top-left corner far past the bottom-right: stops at 32 x 32, bottom-right fixed.
  EXPECT_EQ(EnforceMinimumSize(ResizeRect(start, 4, 500, 500), 4), (SkinRect{268, 168, 300, 200}));
  EXPECT_EQ(EnforceMinimumSize(ResizeRect(start, 8, -500, -500), 8), (SkinRect{100, 100, 132, 132}));
  EXPECT_EQ(EnforceMinimumSize(ResizeRect(start, 5, -190, 90), 5), (SkinRect{100, 168, 132, 200}));
  EXPECT_EQ(EnforceMinimumSize(start, 1), start) << "large enough stays";
  EXPECT_EQ(EnforceMinimumSize(ResizeRect(start, 2, 9000, 0), 2).width(), kMaxPaperSize);
}

}  // namespace
}  // namespace zavra
