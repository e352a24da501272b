// The skinned window's image, checked pixel by pixel on what would go to UpdateLayeredWindow.
#include <gtest/gtest.h>

#include <cstdio>

#include "skin/BkgWnd_win.h"
#include "skin/SkinLists_win.h"
#include "tests/skin/SkinWinSupport.h"

namespace zavra {
namespace {

using test::Pixel;
using test::TestNoteWnd;

constexpr COLORREF kPaper = 0x0080E0FF;
constexpr COLORREF kRed = 0x000000FF;
constexpr COLORREF kBlue = 0x00FF0000;
constexpr COLORREF kGreen = 0x0000C000;

std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08X", v);
  return buf;
}

// Gradient picture: every pixel tells where it came from.
COLORREF Gradient(int x, int y) { return RGB(x * 5, y * 7, 100); }

class SkinRenderTest : public ::testing::Test {
 protected:
  void SetUp() override { test::SkinsFolder(); }

  // A picture file inside the skin's folder.
  void MakePicture(const std::wstring& title, const std::wstring& name, int w, int h, const test::PixelFn& pixel,
                   const wchar_t* mime = L"image/png") {
    ASSERT_TRUE(test::SavePicture(test::SkinFolder(title) + name, mime, w, h, pixel)) << "GDI+ could not write it";
  }
  SkinPtr Skin(const std::wstring& title, const std::vector<SLAYER>& layers) {
    SkinPtr s = test::WriteSkin(title, layers);
    EXPECT_EQ(s->title(), ToU16(title)) << "the skin file was not taken";
    return s;
  }
  static SLAYER Paper(int32_t condition = 0) { return MakeLayer(kLayerPaper, condition); }
};

TEST_F(SkinRenderTest, DefaultSkinIsAnOpaqueRectangleWithBorderTextAndIcon) {
  IconHandle icon = test::SolidIcon(kGreen);
  TestNoteWnd wnd;
  wnd.icon = icon.get();
  ASSERT_TRUE(wnd.Open(GetSkinByTitle(L""), RECT{100, 120, 300, 220}, kPaper));
  const CBkgWnd::Image image = wnd.RenderToImage();
  ASSERT_EQ(image.width, 200);
  ASSERT_EQ(image.height, 100);
  EXPECT_FALSE(wnd.layout().useColorKey);
  EXPECT_EQ(image.origin.x, 100);
  EXPECT_EQ(image.origin.y, 120);
  int textPixels = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      const uint32_t p = image.at(x, y);
      ASSERT_EQ(p >> 24, 0xFFu) << "not opaque at " << x << "," << y;
      const bool border = x == 0 || y == 0 || x == 199 || y == 99;
      const bool noteIcon = x >= 3 && x < 19 && y >= 81 && y < 97;
      if (border) ASSERT_EQ(p, Pixel(0x00909090)) << "inactive border at " << x << "," << y << ": " << Hex(p);
      else if (noteIcon) ASSERT_EQ(p, Pixel(kGreen)) << "note icon at " << x << "," << y << ": " << Hex(p);
      else if (p != Pixel(kPaper)) ++textPixels;
    }
  EXPECT_GT(textPixels, 20) << "the text was drawn";
  // Activation recolours the border.
  ::SendMessageW(wnd, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(wnd.RenderToImage().at(0, 50), Pixel(0x00202020));
}

TEST_F(SkinRenderTest, TextOnlyInsideItsArea) {
  SLAYER text = MakeLayer(kLayerText);
  text.u.text = {50, 30, 10, 10};
  TestNoteWnd wnd;
  wnd.text = L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW WWWWWWWWWWWWWWWWWWWWW WWWWWWWWWWWWWWWWW";
  ASSERT_TRUE(wnd.Open(Skin(L"TextArea", {Paper(), text}), RECT{0, 0, 160, 90}, kPaper));
  const CBkgWnd::Image image = wnd.RenderToImage();
  int inside = 0;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 160; ++x) {
      const bool inArea = x >= 50 && x < 150 && y >= 30 && y < 80;
      if (image.at(x, y) != Pixel(kPaper)) {
        ASSERT_TRUE(inArea) << "text outside its rectangle at " << x << "," << y;
        ++inside;
      }
      ASSERT_EQ(image.at(x, y) >> 24, 0xFFu);
    }
  EXPECT_GT(inside, 50);
}

TEST_F(SkinRenderTest, PictureOutsideTopLeftGrowsTheWindowAndTheBandIsClickThrough) {
  MakePicture(L"TopLeft", L"red.png", 20, 20, [](int, int) { return test::Opaque(kRed); });
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(Skin(L"TopLeft", {Paper(), test::Picture(L"red.png", kImageOriginalSize, kAnchorTopLeft, -10, -10)}),
                       RECT{300, 200, 400, 260}, kPaper));
  wnd.Render();
  RECT window{};
  ::GetWindowRect(wnd, &window);
  EXPECT_EQ(window.left, 290);
  EXPECT_EQ(window.top, 190);
  EXPECT_EQ(window.right, 400);
  EXPECT_EQ(window.bottom, 260);
  const RECT paper = wnd.PaperScreenRect();
  EXPECT_EQ(paper.left, 300) << "the paper stays put on the screen";
  EXPECT_EQ(paper.top, 200);
  const CBkgWnd::Image image = wnd.RenderToImage();
  ASSERT_EQ(image.width, 110);
  ASSERT_EQ(image.height, 70);
  EXPECT_EQ(image.at(0, 0), Pixel(kRed));
  EXPECT_EQ(image.at(15, 15), Pixel(kRed)) << "the picture lies over the paper";
  EXPECT_EQ(image.at(25, 5), 0u) << "the band outside the paper is transparent";
  EXPECT_EQ(image.at(5, 40), 0u);
  EXPECT_EQ(image.at(25, 15), Pixel(kPaper));
  auto hit = [&](int x, int y) { return ::SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(290 + x, 190 + y)); };
  EXPECT_EQ(hit(25, 5), HTTRANSPARENT);
  EXPECT_EQ(hit(5, 5), HTTRANSPARENT) << "even on the picture, outside the paper";
  EXPECT_EQ(hit(60, 40), HTCLIENT);
  EXPECT_EQ(hit(10, 10), HTCLIENT);
}

TEST_F(SkinRenderTest, KeyColouredPaperAndBorderAreFlippedOnlyWithTheKey) {
  constexpr COLORREF kKey = 0x00FEEFFF;
  TestNoteWnd keyed;
  // A paper that can hide needs the colour key.
  ASSERT_TRUE(keyed.Open(Skin(L"Keyed", {Paper(0x80), MakeLayer(kLayerBorder)}), RECT{0, 0, 60, 40}, kKey, kKey, kKey));
  CBkgWnd::Image image = keyed.RenderToImage();
  ASSERT_TRUE(keyed.layout().useColorKey);
  EXPECT_EQ(image.at(30, 20), Pixel(0x00FFFFFF)) << Hex(image.at(30, 20));
  EXPECT_EQ(image.at(0, 0), Pixel(0x00FFFFFF)) << "border too";
  // While the paper hides, the window is empty: every pixel is a hole.
  keyed.SetState(kStatePopup, true);
  image = keyed.RenderToImage();
  EXPECT_EQ(image.at(30, 20), 0u);
  TestNoteWnd plain;
  ASSERT_TRUE(plain.Open(GetSkinByTitle(L""), RECT{0, 0, 60, 40}, kKey));
  EXPECT_EQ(plain.RenderToImage().at(30, 20), Pixel(kKey)) << "without the key the colour is kept";
}

TEST_F(SkinRenderTest, KeyColouredPicturePixelsBecomeHoles) {
  MakePicture(L"Holes", L"holes.png", 20, 20,
              [](int x, int) { return test::Opaque(x < 10 ? 0x00FEEFFF : kBlue); });
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(Skin(L"Holes", {Paper(), test::Picture(L"holes.png", kImageOriginalSize, kAnchorTop, 0, -5)}),
                       RECT{0, 0, 60, 40}, kPaper));
  const CBkgWnd::Image image = wnd.RenderToImage();
  ASSERT_TRUE(wnd.layout().useColorKey);
  // Picture box: x 20..40, y 0..20 in window coordinates (paper starts at y 5).
  EXPECT_EQ(image.at(25, 10), 0u) << "key colour in a picture punches through the paper";
  EXPECT_EQ(image.at(35, 10), Pixel(kBlue));
  EXPECT_EQ(image.at(5, 10), Pixel(kPaper));
}

TEST_F(SkinRenderTest, PercentOfPaperWidth) {
  MakePicture(L"Percent", L"blue.png", 30, 30, [](int, int) { return test::Opaque(kBlue); });
  SLAYER image = test::Picture(L"blue.png", kImageCanvasSize | kImageAdjustWidth | kImageAdjustPercent, kAnchorTopLeft);
  image.u.image.adjustWidth = -50;
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(Skin(L"Percent", {Paper(), image}), RECT{0, 0, 200, 80}, kPaper));
  const CBkgWnd::Image out = wnd.RenderToImage();
  EXPECT_EQ(wnd.layerInfo(1).width, 100);
  for (int x = 0; x < 200; ++x)
    ASSERT_EQ(out.at(x, 10), Pixel(x < 100 ? kBlue : kPaper)) << "column " << x << ": " << Hex(out.at(x, 10));
  EXPECT_EQ(out.at(50, 29), Pixel(kBlue));
  EXPECT_EQ(out.at(50, 30), Pixel(kPaper)) << "height stays the picture's";
}

TEST_F(SkinRenderTest, OriginalSizeShowsTheAnchoredPieceUnscaled) {
  for (int32_t a = 0; a < 9; ++a) {
    const std::wstring title = L"Original" + std::to_wstring(a);
    MakePicture(title, L"grad.png", 40, 30, [](int x, int y) { return test::Opaque(Gradient(x, y)); });
    SLAYER l = test::Picture(L"grad.png", kImageOriginalSize | kImageAdjustWidth | kImageAdjustHeight, a);
    l.u.image.adjustWidth = -80;   // 100 - 80 = 20 wide
    l.u.image.adjustHeight = -45;  // 60 - 45 = 15 high
    TestNoteWnd wnd;
    ASSERT_TRUE(wnd.Open(Skin(title, {Paper(), l}), RECT{0, 0, 100, 60}, kPaper));
    const CBkgWnd::Image image = wnd.RenderToImage();
    const LAYERINFO& box = wnd.layerInfo(1);
    ASSERT_EQ(box.width, 20) << "anchor " << a;
    ASSERT_EQ(box.height, 15) << "anchor " << a;
    const SkinRect src = OriginalSource(a, 40, 30, 20, 15);
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 20; ++x)
        ASSERT_EQ(image.at(box.left + x, box.top + y), Pixel(Gradient(src.left + x, src.top + y)))
            << "anchor " << a << " at " << x << "," << y << ": " << Hex(image.at(box.left + x, box.top + y));
  }
}

TEST_F(SkinRenderTest, TileRepeatsThePictureAndClipsTheLastRowAndColumn) {
  MakePicture(L"Tile", L"grad.png", 40, 30, [](int x, int y) { return test::Opaque(Gradient(x, y)); });
  SLAYER tile = test::Picture(L"grad.png", kImageTile | kImageAdjustWidth | kImageAdjustHeight, kAnchorCenter);
  tile.u.image.adjustWidth = -10;   // 90 wide: two whole copies and a quarter
  tile.u.image.adjustHeight = -5;   // 65 high
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(Skin(L"Tile", {Paper(), tile}), RECT{0, 0, 100, 70}, kPaper));
  const CBkgWnd::Image image = wnd.RenderToImage();
  const LAYERINFO& box = wnd.layerInfo(1);
  ASSERT_EQ(box.left, 5);
  ASSERT_EQ(box.top, 3);  // 35 - 65 / 2
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool in = x >= 5 && x < 95 && y >= 3 && y < 68;
      const uint32_t expected = in ? Pixel(Gradient((x - 5) % 40, (y - 3) % 30)) : Pixel(kPaper);
      ASSERT_EQ(image.at(x, y), expected) << "at " << x << "," << y << ": " << Hex(image.at(x, y));
    }
}

TEST_F(SkinRenderTest, CanvasSizeStretchesTheWholePicture) {
  MakePicture(L"Canvas", L"halves.png", 20, 20, [](int x, int) { return test::Opaque(x < 10 ? kRed : kBlue); });
  SLAYER canvas = test::Picture(L"halves.png", kImageCanvasSize | kImageAdjustWidth | kImageAdjustHeight, kAnchorCenter);
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(Skin(L"Canvas", {Paper(), canvas}), RECT{0, 0, 100, 60}, kPaper));
  const CBkgWnd::Image image = wnd.RenderToImage();
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 45; ++x) ASSERT_EQ(image.at(x, y), Pixel(kRed)) << "left half at " << x << "," << y;
    for (int x = 55; x < 100; ++x) ASSERT_EQ(image.at(x, y), Pixel(kBlue)) << "right half at " << x << "," << y;
  }
}

TEST_F(SkinRenderTest, CanvasMarCropsByAnchorKeepingTheAspect) {
  // 40 x 20, left half red, right half blue, into a 40 x 40 box: a 20-wide band is shown.
  struct Case {
    int32_t anchor;
    COLORREF left, right;
  } cases[] = {{kAnchorLeft, kRed, kRed}, {kAnchorRight, kBlue, kBlue}, {kAnchorCenter, kRed, kBlue},
               {kAnchorTopLeft, kRed, kRed}, {kAnchorBottomRight, kBlue, kBlue}, {kAnchorBottom, kRed, kBlue}};
  for (const Case& c : cases) {
    SLAYER mar = test::Picture(L"halves.png", kImageCanvasMar | kImageAdjustWidth | kImageAdjustHeight, c.anchor);
    mar.u.image.adjustWidth = -60;   // 100 - 60 = 40
    mar.u.image.adjustHeight = -20;  // 60 - 20 = 40
    TestNoteWnd wnd;
    const std::wstring title = L"Mar" + std::to_wstring(c.anchor);
    MakePicture(title, L"halves.png", 40, 20, [](int x, int) { return test::Opaque(x < 20 ? kRed : kBlue); });
    ASSERT_TRUE(wnd.Open(Skin(title, {Paper(), mar}), RECT{0, 0, 100, 60}, kPaper));
    const CBkgWnd::Image image = wnd.RenderToImage();
    const LAYERINFO& box = wnd.layerInfo(1);
    ASSERT_EQ(box.width, 40);
    EXPECT_EQ(image.at(box.left + 5, box.top + 20), Pixel(c.left)) << "anchor " << c.anchor;
    EXPECT_EQ(image.at(box.left + 34, box.top + 20), Pixel(c.right)) << "anchor " << c.anchor;
  }
}

TEST_F(SkinRenderTest, TransparentPicturesBlendWithPerPixelAlpha) {
  // Left half fully transparent, right half half-transparent blue, hanging over the paper's left edge.
  MakePicture(L"Alpha", L"alpha.png", 20, 10,
              [](int x, int) { return x < 10 ? 0u : (0x80000000u | kBlue); });
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(Skin(L"Alpha", {Paper(), test::Picture(L"alpha.png", kImageOriginalSize, kAnchorLeft, -15, 0)}),
                       RECT{0, 0, 60, 40}, 0x00FFFFFF));
  const CBkgWnd::Image image = wnd.RenderToImage();
  // Window x = paper x + 15. Picture covers window x 0..20.
  EXPECT_EQ(image.at(2, 20), 0u) << "transparent picture over nothing stays a hole";
  const uint32_t overNothing = image.at(12, 20);
  EXPECT_NEAR(static_cast<int>(overNothing >> 24), 0x80, 2) << "half-transparent over nothing: " << Hex(overNothing);
  EXPECT_NEAR(static_cast<int>(overNothing & 0xFF), 0x80, 2) << "premultiplied blue";
  const uint32_t overPaper = image.at(17, 20);
  EXPECT_EQ(overPaper >> 24, 0xFFu) << "over the paper it is opaque: " << Hex(overPaper);
  EXPECT_NEAR(static_cast<int>(overPaper >> 16 & 0xFF), 0x7F, 2) << "red of white half covered by blue";
}

TEST_F(SkinRenderTest, MissingPictureDropsOnlyItsLayer) {
  MakePicture(L"Missing", L"red.png", 10, 10, [](int, int) { return test::Opaque(kRed); });
  SkinPtr skin = Skin(L"Missing", {Paper(), test::Picture(L"gone.png", 0, kAnchorTopLeft),
                                   test::Picture(L"red.png", 0, kAnchorTopLeft), MakeLayer(kLayerBorder)});
  ASSERT_EQ(skin->size(), 3u);
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(skin, RECT{0, 0, 50, 50}, kPaper));
  const CBkgWnd::Image image = wnd.RenderToImage();
  EXPECT_EQ(image.at(5, 5), Pixel(kRed));
  EXPECT_EQ(image.at(25, 25), Pixel(kPaper));
  EXPECT_EQ(image.at(49, 49), Pixel(0x00909090));
}

TEST_F(SkinRenderTest, OpacityGoesToTheSystemNotIntoThePixels) {
  TestNoteWnd wnd;
  wnd.opacity = 128;
  ASSERT_TRUE(wnd.Open(GetSkinByTitle(L""), RECT{0, 0, 50, 50}, kPaper));
  EXPECT_EQ(wnd.RenderToImage().at(25, 25), Pixel(kPaper));
  wnd.Render();  // handed over with constant alpha 128; must not fail
  EXPECT_GE(wnd.renderCount(), 2);
}

}  // namespace
}  // namespace zavra
