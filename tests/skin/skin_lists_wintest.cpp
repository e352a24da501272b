// Pictures decoded from disk and skins read from the skins folder.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/LayersFile_win.h"
#include "skin/SkinImage_win.h"
#include "skin/SkinLists_win.h"
#include "tests/skin/SkinWinSupport.h"

namespace zavra {
namespace {

class SkinDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::SkinsFolder();
    folder = test::ScratchFolder(L"pictures");
  }
  std::wstring folder;
};

TEST_F(SkinDiskTest, EveryPictureFormatDecodes) {
  const std::pair<const wchar_t*, const wchar_t*> formats[] = {
      {L"image/png", L"p.png"}, {L"image/bmp", L"p.bmp"}, {L"image/jpeg", L"p.jpg"},
      {L"image/tiff", L"p.tif"},
  };
  // Wine's GIF encoder writes no image data, so the GIF is written by hand.
  test::WriteBytes(folder + L"p.gif", test::AnimatedGif(13, 7, {0x00FF00}, {}));
  std::unique_ptr<GdiplusPicture> gif = DecodePicture(folder + L"p.gif");
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->width(), 13);
  EXPECT_EQ(gif->frames(), 1u);
  for (const auto& [mime, name] : formats) {
    ASSERT_TRUE(test::SavePicture(folder + name, mime, 13, 7, [](int x, int y) { return test::Opaque(RGB(x * 9, y * 9, 0)); }))
        << "encoder for " << std::string(name, name + wcslen(name));
    std::unique_ptr<GdiplusPicture> p = DecodePicture(folder + name);
    ASSERT_TRUE(p) << "decoding " << std::string(name, name + wcslen(name));
    EXPECT_EQ(p->width(), 13);
    EXPECT_EQ(p->height(), 7);
    EXPECT_EQ(p->frames(), 1u);
  }
}

TEST_F(SkinDiskTest, AnimatedGifFramesAndDelays) {
  test::WriteBytes(folder + L"a.gif", test::AnimatedGif(6, 4, {0xFF, 0xFF00, 0xFF0000}, {10, 50, 100}));
  std::unique_ptr<GdiplusPicture> p = DecodePicture(folder + L"a.gif");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->frames(), 3u);
  EXPECT_EQ(p->delays(), (std::vector<uint32_t>{10, 50, 100}));
  Gdiplus::Color c;
  p->Frame(2).GetPixel(1, 1, &c);
  EXPECT_EQ(c.GetB(), 0xFF) << "frame 2 is blue";
  p->Frame(0).GetPixel(1, 1, &c);
  EXPECT_EQ(c.GetR(), 0xFF) << "back to frame 0, red";
}

TEST_F(SkinDiskTest, NonPicturesDoNotDecode) {
  test::WriteBytes(folder + L"junk.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
  test::WriteBytes(folder + L"empty.png", {});
  EXPECT_FALSE(DecodePicture(folder + L"junk.png"));
  EXPECT_FALSE(DecodePicture(folder + L"empty.png"));
  EXPECT_FALSE(DecodePicture(folder + L"none.png"));
}

TEST_F(SkinDiskTest, SkinsFromTheFolderAreSharedAndReloadedAfterRelease) {
  ASSERT_TRUE(test::SavePicture(test::SkinFolder(L"Disk") + L"a.png", L"image/png", 4, 4,
                                [](int, int) { return test::Opaque(0xFF); }));
  test::WriteSkin(L"Disk", {MakeLayer(kLayerPaper), test::Picture(L"a.png", 0, 0), test::Picture(L"b.png", 0, 0)});
  SkinPtr first = GetSkinByTitle(L"Disk");
  SkinPtr second = GetSkinByTitle(L"dISK");
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(first->size(), 2u) << "the missing b.png dropped its layer only";
  // Edits reach windows only after every holder let go.
  test::WriteBytes(test::SkinFolder(L"Disk") + L"layers", WriteLayers(DefaultLayers()));
  EXPECT_EQ(GetSkinByTitle(L"Disk")->size(), 2u);
  first.reset();
  second.reset();
  EXPECT_EQ(GetSkinByTitle(L"Disk")->size(), 5u);
}

TEST_F(SkinDiskTest, DamagedFolderGivesTheDefaultSkin) {
  test::WriteBytes(test::SkinFolder(L"Five") + L"layers", {'Q', 'S', 'L', 1, 0});
  test::WriteBytes(test::SkinFolder(L"Garbage") + L"layers", std::vector<uint8_t>(3000, 0xFF));
  for (const wchar_t* title : {L"Five", L"Garbage", L"NoSuchSkin", L"..\\Five", L"Five\\..\\Five"}) {
    SkinPtr s = GetSkinByTitle(title);
    EXPECT_TRUE(s->title().empty());
    EXPECT_EQ(s->size(), 5u);
  }
}

TEST_F(SkinDiskTest, PictureOutsideTheSkinFolderIsNotRead) {
  // A picture one level up, next to the skin folders, named with "..\".
  ASSERT_TRUE(test::SavePicture(test::SkinsFolder() + L"outside.png", L"image/png", 4, 4,
                                [](int, int) { return test::Opaque(0xFF); }));
  const std::wstring full = test::SkinsFolder() + L"outside.png";
  test::WriteSkin(L"Climb", {MakeLayer(kLayerPaper), test::Picture(L"..\\outside.png", 0, 0),
                             test::Picture(L"../outside.png", 0, 0), test::Picture(full, 0, 0)});
  SkinPtr s = GetSkinByTitle(L"Climb");
  ASSERT_EQ(s->size(), 2u) << "only the designer's full path is taken";
  EXPECT_EQ(s->image(1)->path(), ToU16(full));
}

}  // namespace
}  // namespace zavra

namespace zavra {
namespace {

TEST(LayersFile, SaveAndLoadRoundTripAndReportFailures) {
  test::EnsureGdiplus();
  const std::wstring folder = test::ScratchFolder(L"layersfile");
  std::vector<SLAYER> layers = DefaultLayers();
  layers.push_back(test::Picture(L"x.png", kImageTile, kAnchorLeft, 3, 4));
  ASSERT_EQ(SaveLayersFile(folder, layers), kLayersOk);
  std::vector<SLAYER> back;
  ASSERT_EQ(LoadLayersFile(folder, back), kLayersOk);
  ASSERT_EQ(back.size(), layers.size());
  EXPECT_EQ(std::memcmp(back.data(), layers.data(), layers.size() * sizeof(SLAYER)), 0);
  EXPECT_EQ(SaveLayersFile(folder + L"no such folder\\", layers), kLayersIoError);
  EXPECT_EQ(LoadLayersFile(folder + L"no such folder\\", back), kLayersIoError);
  EXPECT_TRUE(back.empty());
  test::WriteBytes(folder + L"layers", {'Q', 'S', 'L', 1, 0});
  EXPECT_EQ(LoadLayersFile(folder, back), kLayersBadFormat);
  test::WriteBytes(folder + L"layers", {'Q', 'S'});
  EXPECT_EQ(LoadLayersFile(folder, back), kLayersTruncated);
}

}  // namespace
}  // namespace zavra
