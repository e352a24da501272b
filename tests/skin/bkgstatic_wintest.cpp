// The picture preview control.
#include <gtest/gtest.h>

#include "skin/BkgStatic_win.h"
#include "skin/SkinRenderer_win.h"
#include "tests/skin/SkinWinSupport.h"

namespace zavra {
namespace {

using test::Pixel;

class BkgStaticTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureGdiplus();
    folder = test::ScratchFolder(L"preview");
    host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    control = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_NOTIFY, 0, 0, 100, 50, host, nullptr, nullptr, nullptr);
    ASSERT_TRUE(preview.SubclassWindow(control));
    ASSERT_TRUE(canvas.Resize(100, 50));
  }
  void TearDown() override {
    if (host) ::DestroyWindow(host);
  }
  uint32_t At(int x, int y) const { return canvas.pixels()[y * 100 + x] | 0xFF000000u; }
  void Paint() { preview.Paint(canvas.dc(), 100, 50); ::GdiFlush(); }

  std::wstring folder;
  HWND host = nullptr;
  HWND control = nullptr;
  CBkgStatic preview;
  SkinCanvas canvas;
};

TEST_F(BkgStaticTest, NoPictureShowsTheBackground) {
  preview.SetBackground(0x00336699);
  preview.SetPicture(L"");
  Paint();
  EXPECT_EQ(At(50, 25), Pixel(0x00336699));
  preview.SetPicture(folder + L"missing.png");
  EXPECT_FALSE(preview.hasPicture());
}

TEST_F(BkgStaticTest, TiledAtOwnSizeFromTheTopLeft) {
  ASSERT_TRUE(test::SavePicture(folder + L"t.png", L"image/png", 30, 20,
                                [](int x, int y) { return test::Opaque(RGB(x * 8, y * 12, 50)); }));
  preview.SetPicture(folder + L"t.png");
  preview.SetStretch(false, false);
  Paint();
  for (int y = 0; y < 50; y += 3)
    for (int x = 0; x < 100; x += 7)
      ASSERT_EQ(At(x, y), Pixel(RGB((x % 30) * 8, (y % 20) * 12, 50))) << "at " << x << "," << y;
}

TEST_F(BkgStaticTest, StretchedWithRetainRatioCropsTallPicturesFromTheTop) {
  // 20 x 40: top quarter red, rest blue. The 2:1 control shows only the top 20 x 10, all red.
  ASSERT_TRUE(test::SavePicture(folder + L"tall.png", L"image/png", 20, 40,
                                [](int, int y) { return test::Opaque(y < 10 ? 0x0000FF : 0xFF0000); }));
  preview.SetPicture(folder + L"tall.png");
  preview.SetStretch(true, true);
  Paint();
  EXPECT_EQ(At(50, 10), Pixel(0x0000FF));
  EXPECT_EQ(At(50, 40), Pixel(0x0000FF));
  preview.SetStretch(true, false);
  Paint();
  EXPECT_EQ(At(50, 40), Pixel(0xFF0000)) << "without retain ratio the whole picture is squeezed in";
}

TEST_F(BkgStaticTest, StretchedWithRetainRatioCentresWidePictures) {
  // 80 x 10, columns: 0-29 red, 30-49 green, 50-79 blue; control 2:1 shows x 30..50 (green).
  ASSERT_TRUE(test::SavePicture(folder + L"wide.png", L"image/png", 80, 10, [](int x, int) {
    return test::Opaque(x < 30 ? 0x0000FF : x < 50 ? 0x00FF00 : 0xFF0000);
  }));
  preview.SetPicture(folder + L"wide.png");
  preview.SetStretch(true, true);
  Paint();
  EXPECT_EQ(At(5, 25), Pixel(0x00FF00));
  EXPECT_EQ(At(95, 25), Pixel(0x00FF00));
}

TEST_F(BkgStaticTest, PaintsThroughItsWindow) {
  preview.SetBackground(0x00123456);
  ::ShowWindow(host, SW_SHOWNOACTIVATE);
  ::ShowWindow(control, SW_SHOW);
  ::UpdateWindow(control);
  test::PumpFor(50);
  HDC dc = ::GetDC(control);
  const COLORREF c = ::GetPixel(dc, 10, 10);
  ::ReleaseDC(control, dc);
  EXPECT_EQ(c, 0x00123456u);
}

}  // namespace
}  // namespace zavra
