#include <gtest/gtest.h>

#include "designer/PreviewPlacement.h"
#include "designer/SkinDocument.h"

namespace zavra {
namespace {

SkinDocument NewSkin() {
  SkinDocument doc;
  doc.Load(DefaultLayers());
  return doc;
}

TEST(SkinDocument, ListShowsTheTopLayerFirstAndWritesBackBottomFirst) {
  std::vector<SLAYER> records = DefaultLayers();
  records.insert(records.begin() + 1, MakeLayer(77));  // a kind the designer does not know
  SkinDocument doc;
  doc.Load(records);
  const int32_t top[] = {kLayerNoteIcon, kLayerLinkIcon, kLayerText, kLayerBorder, kLayerPaper};
  ASSERT_EQ(doc.size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(doc.entry(i).kind, top[i]) << "entry " << i;
  const std::vector<uint8_t> file = WriteLayers(doc.DrawingOrder());
  ASSERT_EQ(file.size(), 5u + 5 * (8 + 560));
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(file[5 + i * 568 + 2], i) << "ordinal of record " << i;
    EXPECT_EQ(file[5 + i * 568 + 8], top[4 - i]) << "record " << i << ": the paper first";
  }
}

TEST(SkinDocument, AddPutsAnImageDirectlyAboveTheSelection) {
  // Selected entry -> index of the image in drawing order (the layer it covers is one below).
  const struct {
    std::optional<size_t> selected;
    size_t drawn;
  } cases[] = {{2, 3}, {4, 1}, {0, 5}, {std::nullopt, 0}};
  for (const auto& c : cases) {
    SkinDocument doc = NewSkin();
    const size_t at = doc.AddImage(c.selected);
    EXPECT_EQ(at, c.selected.value_or(5));
    EXPECT_EQ(doc.DrawingOrder()[c.drawn].kind, kLayerImage) << "selected " << c.selected.value_or(99);
  }
}

TEST(SkinDocument, OnlyImagesAreRemovedAndMovesStopAtTheEnds) {
  SkinDocument doc = NewSkin();
  bool removed = true;
  for (size_t i = 0; i < 5; ++i) EXPECT_FALSE(doc.RemoveImage(i, &removed).has_value() || removed) << i;
  doc.AddImage(std::nullopt);  // the last entry
  doc.SetCurrent(5);
  EXPECT_EQ(doc.RemoveImage(5, &removed), 4u) << "the new last entry is selected";
  EXPECT_TRUE(removed);
  EXPECT_EQ(doc.current(), nullptr) << "the removed layer was current";

  doc.SetCurrent(4);
  SLAYER* paper = doc.current();
  EXPECT_FALSE(doc.MoveDown(4).has_value());
  EXPECT_FALSE(doc.MoveUp(0).has_value());
  EXPECT_EQ(doc.MoveUp(4), 3u) << "the paper moves like any layer";
  EXPECT_EQ(doc.current(), paper);
  EXPECT_EQ(doc.currentIndex(), 3u);
}

TEST(SkinDocument, TitlesPicturesAndDisplayFlags) {
  for (std::u16string_view ok : {u"Blue", u"My skin 2", u"a.b"}) EXPECT_TRUE(IsDesignerTitle(ok));
  for (std::u16string_view bad : {u"", u".", u"..", u"   ", u".hidden", u"dots.", u"blank ", u"CON", u"lpt1.skin",
                                  u"a:b", u"a\\b", u"x?"})
    EXPECT_FALSE(IsDesignerTitle(bad)) << std::string(bad.begin(), bad.end());
  EXPECT_TRUE(HasNotAllowedTitleChar(u"a:b"));
  EXPECT_FALSE(HasNotAllowedTitleChar(u".."));

  const std::u16string folder = u"C:\\Docs\\ZaVRA Skins\\Blue\\";
  EXPECT_EQ(ChosenPictureName(u"c:\\docs\\zavra skins\\BLUE\\wood.png", folder), u"wood.png");
  EXPECT_EQ(ChosenPictureName(u"C:\\Art\\wood.png", folder), u"C:\\Art\\wood.png");
  EXPECT_TRUE(IsStorablePictureName(u"C:\\Art\\wood.png", u""));
  const std::u16string longPath = u"C:\\" + std::u16string(200, u'a') + u"\\" + std::u16string(60, u'b') + u".png";
  for (std::u16string_view bad : std::initializer_list<std::u16string_view>{
           u"\\\\server\\share\\wood.png", longPath, u"C:\\Art\\..\\wood.png"})
    EXPECT_FALSE(IsStorablePictureName(bad, folder)) << bad.size();
  EXPECT_FALSE(IsStorablePictureName(u"wood.png", u"")) << "an untitled skin has no folder for bare names";

  for (int choice = 0; choice < 4; ++choice) EXPECT_EQ(DisplayChoiceOf(ImageFlagsFor(choice, true, true, true)), choice);
  EXPECT_EQ(ImageFlagsFor(2, false, false, false), kImageCanvasMar);
}

TEST(PreviewPlacement, FirstPlaceAndStayingInTheWorkArea) {
  EXPECT_EQ(FirstPreviewPaper({400, 300, 900, 700}), (SkinRect{272, 370, 397, 445}));
  const SkinRect area{0, 0, 1280, 1000};
  const struct {
    SkinRect paper;
    int zone;
    SkinRect kept;
  } cases[] = {
      {{-128, 70, -3, 145}, 0, {0, 70, 125, 145}},           // beside a designer at the screen's edge
      {{-20, -30, 100, 100}, 4, {0, 0, 100, 100}},            // top-left corner dragged out
      {{-20, 100, 100, 200}, 2, {-20, 100, 100, 200}},        // only the dragged edge is held
  };
  for (const auto& c : cases) EXPECT_EQ(KeepInsideArea(c.paper, c.zone, area), c.kept) << c.zone;
}

}  // namespace
}  // namespace zavra
