#include <gtest/gtest.h>

#include "skin/Skin.h"
#include "tests/skin/FakeSkinSource.h"

namespace zavra {
namespace {

using test::FakeSkinSource;
using test::ImageLayer;
using test::PaperLayer;

const std::u16string kSkins = u"C:\\Docs\\ZaVRA Skins\\";

class SkinLibraryTest : public ::testing::Test {
 protected:
  FakeSkinSource source;
  SkinLibrary library{kSkins, source};

  std::u16string Folder(std::u16string_view title) { return kSkins + std::u16string(title) + u"\\"; }
  void AddSkin(std::u16string_view title, const std::vector<SLAYER>& layers) {
    source.files[Folder(title) + u"layers"] = WriteLayers(layers);
  }
  void AddPicture(std::u16string path, int w, int h, uint32_t frames = 1, std::vector<uint32_t> delays = {}) {
    source.pictures[std::move(path)] = {w, h, frames, std::move(delays)};
  }
  static bool IsDefault(const Skin& s) { return s.title().empty() && s.size() == 5; }
};

TEST_F(SkinLibraryTest, EmptyTitleAndEveryFailureGiveTheSharedDefaultSkin) {
  SkinPtr byEmpty = library.GetSkin(u"");
  ASSERT_TRUE(IsDefault(*byEmpty));
  EXPECT_EQ(source.fileReads, 0) << "the default skin has no folder";
  source.files[Folder(u"Short") + u"layers"] = {'Q', 'S', 'L', 1, 0};
  source.files[Folder(u"Magic") + u"layers"] = {'Q', 'S', 'X', 1, 0, 0, 0, 0};
  AddSkin(u"NoPaper", {MakeLayer(kLayerBorder), MakeLayer(kLayerText)});
  for (std::u16string_view title : {u"Missing", u"Short", u"Magic", u"NoPaper", u"..\\Elsewhere", u"a/b"}) {
    SkinPtr s = library.GetSkin(title);
    EXPECT_EQ(s.get(), byEmpty.get()) << "a failed title is answered with the one default skin";
  }
  EXPECT_EQ(library.skinCount(), 1u) << "failed titles are not remembered";
  const int reads = source.fileReads;
  SkinPtr again = library.GetSkin(u"Missing");
  EXPECT_EQ(source.fileReads, reads + 1) << "an unreadable title is retried on every request";
}

TEST_F(SkinLibraryTest, WindowsShareOneSkinAcrossLetterCase) {
  AddSkin(u"Wood", {PaperLayer(), MakeLayer(kLayerBorder)});
  SkinPtr first = library.GetSkin(u"Wood");
  SkinPtr second = library.GetSkin(u"wOOD");
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(first->refs(), 2);
  EXPECT_EQ(source.fileReads, 1);
  second.reset();
  EXPECT_EQ(first->refs(), 1) << "closing one window leaves the other's skin";
  EXPECT_EQ(first->size(), 2u);
  EXPECT_EQ(library.skinCount(), 1u);
}

TEST_F(SkinLibraryTest, ReleaseToZeroForgetsAndTheNextRequestReadsAgain) {
  AddSkin(u"Wood", {PaperLayer()});
  library.GetSkin(u"Wood").reset();
  EXPECT_EQ(library.skinCount(), 0u);
  AddSkin(u"Wood", {PaperLayer(), MakeLayer(kLayerBorder), MakeLayer(kLayerText)});
  SkinPtr reloaded = library.GetSkin(u"Wood");
  EXPECT_EQ(source.fileReads, 2);
  EXPECT_EQ(reloaded->size(), 3u) << "the edited file is what the next request sees";
  // While a skin is held, edits do not reach it.
  AddSkin(u"Wood", {PaperLayer()});
  EXPECT_EQ(library.GetSkin(u"WOOD")->size(), 3u);
}

TEST_F(SkinLibraryTest, LayersThatCanNeverShowAreDropped) {
  AddSkin(u"S", {PaperLayer(), MakeLayer(kLayerBorder, 1), MakeLayer(kLayerText, 1), MakeLayer(kLayerText, 0x81),
                 MakeLayer(kLayerNoteIcon, 0)});
  SkinPtr s = library.GetSkin(u"S");
  ASSERT_EQ(s->size(), 3u);
  EXPECT_EQ(s->layer(1).kind, kLayerText);
  EXPECT_EQ(s->layer(1).condition, 0x81);
  EXPECT_EQ(s->layer(2).kind, kLayerNoteIcon);
}

TEST_F(SkinLibraryTest, PaperIsAlwaysKeptAndTheLastOneCounts) {
  SLAYER first = PaperLayer();
  SLAYER second = PaperLayer(1);
  second.u.paper.sizeMode = 1;
  AddSkin(u"S", {first, MakeLayer(kLayerBorder), second});
  SkinPtr s = library.GetSkin(u"S");
  ASSERT_EQ(s->size(), 3u) << "a Paper with condition 1 is still the paper";
  EXPECT_TRUE(s->fixedSize());
  EXPECT_EQ(s->paper().condition, 1);
}

TEST_F(SkinLibraryTest, MissingOrRefusedPictureDropsOnlyItsLayer) {
  AddPicture(Folder(u"S") + u"ok.png", 20, 10);
  AddPicture(u"D:\\Art\\full.png", 5, 5);
  AddPicture(kSkins + u"outside.png", 5, 5);
  AddSkin(u"S", {PaperLayer(), ImageLayer(u"gone.png"), ImageLayer(u"ok.png"), ImageLayer(u"..\\outside.png"),
                 ImageLayer(u"D:\\Art\\full.png"), MakeLayer(kLayerText)});
  SkinPtr s = library.GetSkin(u"S");
  ASSERT_EQ(s->size(), 4u);
  EXPECT_EQ(s->layer(1).kind, kLayerImage);
  ASSERT_NE(s->image(1), nullptr);
  EXPECT_EQ(s->image(1)->width(), 20);
  EXPECT_EQ(s->image(2)->path(), u"D:\\Art\\full.png");
  EXPECT_EQ(s->image(3), nullptr);
  EXPECT_EQ(s->layer(3).kind, kLayerText);
  EXPECT_EQ(source.pictureLoads, 3) << "the climbing name never reached the loader";
}

TEST_F(SkinLibraryTest, PicturesAreDecodedOncePerPathAndFreedWithTheirLastSkin) {
  AddPicture(u"D:\\Art\\p.png", 8, 8);
  AddSkin(u"A", {PaperLayer(), ImageLayer(u"D:\\Art\\p.png")});
  AddSkin(u"B", {PaperLayer(), ImageLayer(u"d:\\art\\P.PNG"), ImageLayer(u"D:\\Art\\p.png")});
  SkinPtr a = library.GetSkin(u"A");
  SkinPtr b = library.GetSkin(u"B");
  EXPECT_EQ(source.pictureLoads, 1);
  EXPECT_EQ(a->image(1), b->image(1));
  EXPECT_EQ(a->image(1)->refs(), 3);
  EXPECT_EQ(library.pictureCount(), 1u);
  a.reset();
  EXPECT_EQ(library.pictureCount(), 1u);
  b.reset();
  EXPECT_EQ(library.pictureCount(), 0u);
  EXPECT_FALSE(library.GetPicture(u"D:\\Art\\nothing.png"));
}

TEST_F(SkinLibraryTest, StateMaskCollectsTheStatesThatMatter) {
  AddPicture(u"D:\\still.png", 4, 4);
  AddPicture(u"D:\\anim.gif", 4, 4, 3, {10, 50, 100});
  struct Case {
    const char* what;
    std::vector<SLAYER> layers;
    uint32_t mask;
  } cases[] = {
      {"nothing conditional", {PaperLayer(), MakeLayer(kLayerText)}, 0},
      {"border follows activation", {PaperLayer(), MakeLayer(kLayerBorder)}, kStateActive},
      {"'Hide Unless' border", {PaperLayer(), MakeLayer(kLayerBorder, 0x81)}, kStatePopup},
      {"paper condition", {PaperLayer(0x100)}, kStateAlarm},
      {"dropped layer adds nothing", {PaperLayer(), MakeLayer(kLayerBorder, 1)}, 0},
      {"still picture's animation condition is ignored",
       {PaperLayer(), [] {
          SLAYER l = ImageLayer(u"D:\\still.png");
          l.u.image.animCondition = 0x10;
          return l;
        }()},
       0},
      {"animated picture's animation condition counts",
       {PaperLayer(), [] {
          SLAYER l = ImageLayer(u"D:\\anim.gif", kImageOriginalSize, kAnchorCenter, 0x80);
          l.u.image.animCondition = 0x11;
          return l;
        }()},
       kStatePopup | kStateActive},
      {"missing picture adds nothing", {PaperLayer(), ImageLayer(u"D:\\none.png", 0, 0, 0x100)}, 0},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::u16string title = u"M" + std::u16string(1, static_cast<char16_t>(u'a' + n++));
    AddSkin(title, c.layers);
    EXPECT_EQ(library.GetSkin(title)->stateMask(), c.mask) << c.what;
  }
  EXPECT_EQ(library.GetSkin(u"")->stateMask(), kStateActive) << "the default skin's border";
}

TEST_F(SkinLibraryTest, FrameDelaysDefaultToHalfASecond) {
  AddPicture(u"D:\\anim.gif", 4, 4, 3, {10, 50});
  SkinImagePtr p = library.GetPicture(u"D:\\anim.gif");
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->animated());
  EXPECT_EQ(p->FrameDelay(0), 10u);
  EXPECT_EQ(p->FrameDelay(1), 50u);
  EXPECT_EQ(p->FrameDelay(2), 50u);
  EXPECT_EQ(p->FrameDelay(99), 50u);
}

TEST(SkinLibraryLifetime, ObjectsOutliveAnEmptiedLibrary) {
  FakeSkinSource source;
  source.pictures[u"D:\\p.png"] = {4, 4, 1, {}};
  source.files[kSkins + u"A\\layers"] = WriteLayers(std::vector<SLAYER>{PaperLayer(), ImageLayer(u"D:\\p.png")});
  SkinPtr held;
  {
    SkinLibrary library(kSkins, source);
    held = library.GetSkin(u"A");
  }
  ASSERT_TRUE(held);
  EXPECT_EQ(held->image(1)->width(), 4);
  held.reset();  // freed without its list (ASan checks the rest)
}

TEST(SkinLibraryLifetime, NoSkinsFolderMeansOnlyTheDefaultSkin) {
  FakeSkinSource source;
  source.files[u"A\\layers"] = WriteLayers(DefaultLayers());
  SkinLibrary library(u"", source);
  EXPECT_TRUE(library.GetSkin(u"A")->title().empty());
  EXPECT_EQ(source.fileReads, 0) << "a relative folder is never read";
}

}  // namespace
}  // namespace zavra
