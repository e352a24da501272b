#include <gtest/gtest.h>

#include "designer/PreviewPlacement.h"
#include "designer/SkinDocument.h"

namespace zavra {
namespace {

std::vector<int32_t> Kinds(const SkinDocument& doc) {
  std::vector<int32_t> kinds;
  for (size_t i = 0; i < doc.size(); ++i) kinds.push_back(doc.entry(i).kind);
  return kinds;
}

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
  EXPECT_EQ(Kinds(doc), (std::vector<int32_t>{kLayerNoteIcon, kLayerLinkIcon, kLayerText, kLayerBorder, kLayerPaper}));
  EXPECT_EQ(doc.current(), nullptr);
  // The file holds the paper first, ordinals 0..4.
  const std::vector<uint8_t> file = WriteLayers(doc.DrawingOrder());
  ASSERT_EQ(file.size(), 5u + 5 * (8 + 560));
  for (size_t i = 0; i < 5; ++i) {
    const uint8_t* record = file.data() + 5 + i * 568;
    EXPECT_EQ(record[2], i) << "ordinal of record " << i;
    EXPECT_EQ(record[8], DefaultLayers()[i].kind) << "record " << i;
  }
}

TEST(SkinDocument, AddPutsAnImageDirectlyAboveTheSelection) {
  const struct {
    std::optional<size_t> selected;
    size_t at;
    size_t drawnOver;  // index in drawing order of the layer the image is drawn just over
  } cases[] = {{2, 2, 2}, {4, 4, 0}, {0, 0, 4}, {std::nullopt, 5, SIZE_MAX}};
  for (const auto& c : cases) {
    SkinDocument doc = NewSkin();
    EXPECT_EQ(doc.AddImage(c.selected), c.at);
    const std::vector<SLAYER> order = doc.DrawingOrder();
    const size_t image = 5 - c.at;
    EXPECT_EQ(order[image].kind, kLayerImage);
    if (c.drawnOver != SIZE_MAX) EXPECT_EQ(image, c.drawnOver + 1);
    else EXPECT_EQ(image, 0u) << "without a selection the image goes to the bottom of the list";
  }
}

TEST(SkinDocument, OnlyImagesAreRemovedAndTheNextEntryIsSelected) {
  SkinDocument doc = NewSkin();
  bool removed = true;
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_FALSE(doc.RemoveImage(i, &removed).has_value());
    EXPECT_FALSE(removed) << "entry " << i;
  }
  doc.AddImage(std::nullopt);  // index 5, the last
  doc.AddImage(0);
  doc.SetCurrent(6);
  EXPECT_EQ(doc.RemoveImage(6, &removed), 5u) << "the new last entry";
  EXPECT_TRUE(removed);
  EXPECT_EQ(doc.current(), nullptr) << "the removed layer was current";
  EXPECT_EQ(doc.RemoveImage(0), 0u) << "the entry now at the same index";
  EXPECT_EQ(doc.size(), 5u);
}

TEST(SkinDocument, MovingKeepsTheCurrentLayerAndStopsAtTheEnds) {
  SkinDocument doc = NewSkin();
  doc.SetCurrent(4);
  SLAYER* paper = doc.current();
  EXPECT_FALSE(doc.MoveDown(4).has_value());
  EXPECT_FALSE(doc.MoveUp(0).has_value());
  EXPECT_EQ(doc.MoveUp(4), 3u) << "the paper moves like any layer";
  EXPECT_EQ(doc.current(), paper);
  EXPECT_EQ(doc.currentIndex(), 3u);
  EXPECT_EQ(doc.DrawingOrder()[1].kind, kLayerPaper);
}

TEST(SkinDocument, TitlesThatCanBeSkinFolders) {
  const struct {
    std::u16string_view title;
    bool ok;
  } cases[] = {{u"Blue", true}, {u"My skin 2", true}, {u"a.b", true}, {u"", false}, {u".", false},
               {u"..", false},  {u"   ", false},       {u".hidden", false}, {u"dots.", false}, {u"blank ", false},
               {u"CON", false}, {u"lpt1.skin", false},  {u"a:b", false},     {u"a\\b", false},  {u"x?", false}};
  for (const auto& c : cases) EXPECT_EQ(IsDesignerTitle(c.title), c.ok) << std::string(c.title.begin(), c.title.end());
  EXPECT_TRUE(HasNotAllowedTitleChar(u"a:b"));
  EXPECT_FALSE(HasNotAllowedTitleChar(u".."));
}

TEST(SkinDocument, ChosenPicturesAreStoredByNameInsideTheSkinAndByPathOutside) {
  const std::u16string folder = u"C:\\Docs\\ZaVRA Skins\\Blue\\";
  EXPECT_EQ(ChosenPictureName(u"c:\\docs\\zavra skins\\BLUE\\wood.png", folder), u"wood.png");
  EXPECT_EQ(ChosenPictureName(u"C:\\Art\\wood.png", folder), u"C:\\Art\\wood.png");
  EXPECT_EQ(ChosenPictureName(u"C:\\Docs\\ZaVRA Skins\\Blue\\wood.png", u""), u"C:\\Docs\\ZaVRA Skins\\Blue\\wood.png");
  const std::u16string longPath = u"C:\\" + std::u16string(200, u'a') + u"\\" + std::u16string(60, u'b') + u".png";
  const struct {
    std::u16string name;
    std::u16string folder;
    bool ok;
  } cases[] = {{u"wood.png", folder, true},        {u"C:\\Art\\wood.png", u"", true},
               {u"wood.png", u"", false},          {u"\\\\server\\share\\wood.png", folder, false},
               {longPath, folder, false},          {u"C:\\Art\\..\\wood.png", folder, false}};
  for (const auto& c : cases) EXPECT_EQ(IsStorablePictureName(c.name, c.folder), c.ok) << c.name.size();
  EXPECT_EQ(ChooserStartFile(u"wood.png", folder), folder + u"wood.png");
  EXPECT_EQ(ChooserStartFile(u"wood.png", u""), u"");
}

TEST(SkinDocument, DisplayChoiceRoundTripsThroughTheFlags) {
  for (int choice = 0; choice < 4; ++choice)
    for (int bits = 0; bits < 8; ++bits) {
      const int32_t flags = ImageFlagsFor(choice, bits & 1, bits & 2, bits & 4);
      EXPECT_EQ(DisplayChoiceOf(flags), choice);
      EXPECT_EQ((flags & kImageAdjustWidth) != 0, (bits & 1) != 0);
      EXPECT_EQ((flags & kImageAdjustPercent) != 0, (bits & 4) != 0);
    }
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
      {{-128, 70, -3, 145}, 0, {0, 70, 125, 145}},          // left of a designer at the screen's edge
      {{1200, 960, 1325, 1035}, 0, {1155, 925, 1280, 1000}}, // moved off the bottom right
      {{100, 100, 300, 200}, 0, {100, 100, 300, 200}},
      {{-20, -30, 100, 100}, 4, {0, 0, 100, 100}},           // top-left corner dragged out
      {{100, 100, 1400, 1100}, 8, {100, 100, 1280, 1000}},
      {{-20, 100, 100, 200}, 2, {-20, 100, 100, 200}},       // the right edge only is dragged
  };
  for (const auto& c : cases) EXPECT_EQ(KeepInsideArea(c.paper, c.zone, area), c.kept) << c.zone;
}

}  // namespace
}  // namespace zavra
