#include "app/Website.h"
#include "prefs/PageValues.h"
#include "store/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace zavra {

namespace {

TEST(PreferencePages, PreopenLeadsShowAsWholeMinutesAndWriteBackAsSeconds) {
  Settings s;
  s.preopen1 = 90;  // stored in seconds: shows as one minute
  s.preopen2 = 0;
  NotePageValues v = LoadNotePage(s, true, u"");
  EXPECT_TRUE(v.preopen1On);
  EXPECT_EQ(v.preopen1Minutes, 1);
  EXPECT_FALSE(v.preopen2On);
  EXPECT_EQ(v.preopen2Minutes, 60) << "an unticked box suggests its own value";
  ApplyNotePage(v, s);
  EXPECT_EQ(s.preopen1, 60u);
  EXPECT_EQ(s.preopen2, 0u) << "unticked writes 0 whatever the box shows";

  s.preopen1 = 0;
  v = LoadNotePage(s, true, u"");
  EXPECT_FALSE(v.preopen1On);
  EXPECT_EQ(v.preopen1Minutes, 30);
}

TEST(PreferencePages, StoredValuesOutsideTheBoxesLoadInRange) {
  Settings s;
  s.noteOpacity = 0;
  s.noteMargin = 500;
  s.noteGap = 0xFFFFFFFF;
  s.preopen1 = 59;          // under a minute: ticked, at the smallest minute
  s.preopen2 = 86400 * 30;  // beyond 480 minutes
  s.autoDeleteDays = 40 * 31;
  s.recentCount = 1000;
  s.trayDefault = 7;
  const NotePageValues n = LoadNotePage(s, true, u"");
  EXPECT_EQ(n.opacity, 1);
  EXPECT_EQ(n.margin, 99);
  EXPECT_EQ(n.gap, 99);
  EXPECT_EQ(n.preopen1Minutes, 1);
  EXPECT_EQ(n.preopen2Minutes, 480);
  const MiscPageValues m = LoadMiscPage(s);
  EXPECT_EQ(m.autoDeleteDays, 999);
  EXPECT_EQ(m.recentCount, 99);
  EXPECT_EQ(m.trayDefault, 0);
}

TEST(PreferencePages, AutoDeleteUntickedShowsSixtyAndWritesZero) {
  Settings s;
  s.autoDeleteDays = 0;
  MiscPageValues m = LoadMiscPage(s);
  EXPECT_FALSE(m.autoDeleteOn);
  EXPECT_EQ(m.autoDeleteDays, 60);
  s.autoDeleteDays = 12;
  ApplyMiscPage(m, s);
  EXPECT_EQ(s.autoDeleteDays, 0u);
  m.autoDeleteOn = true;
  m.autoDeleteDays = 7;
  ApplyMiscPage(m, s);
  EXPECT_EQ(s.autoDeleteDays, 7u);
}

TEST(PreferencePages, CategoryFieldsAndTheDeleteRule) {
  struct Case {
    uint32_t id;
    bool deletable;
  } cases[] = {{0, true}, {1, false}, {2, false}, {10000, false}, {10001, true}, {65535, true}};
  for (const Case& c : cases) {
    NOTE_CATE cate;
    cate.id = c.id;
    EXPECT_EQ(CanDeleteCategory(cate), c.deletable) << c.id;
  }
  NOTE_CATE cate;
  for (int store = 0; store < 3; ++store) {
    SetStoreIndex(cate, store);
    EXPECT_EQ(StoreIndexOf(cate), store);
  }
  cate.flags = 0x00FF | kCateNotOfInterest;  // a damaged view byte
  EXPECT_EQ(DefaultViewOf(cate), 0);
  SetDefaultView(cate, 2);
  EXPECT_EQ(DefaultViewOf(cate), 2);
  EXPECT_FALSE(IsOfInterest(cate)) << "the view byte leaves the other flags alone";
  SetOfInterest(cate, true);
  EXPECT_TRUE(IsOfInterest(cate));

  cate.name = u"Work";
  EXPECT_FALSE(RenameCategory(cate, u"  \t"));
  EXPECT_FALSE(RenameCategory(cate, u""));
  EXPECT_EQ(cate.name, u"Work");
  EXPECT_TRUE(RenameCategory(cate, u"Home"));
  EXPECT_EQ(cate.name, u"Home");

  LOGFONTW light{};
  light.lfWeight = 400;
  const NOTE_CATE made = NewCategoryRecord(u"New Category", light);
  EXPECT_EQ(made.id, 0u);
  EXPECT_EQ(made.font.lfWeight, 700);
  EXPECT_EQ(made.name, u"New Category");
}

TEST(PreferencePages, CalendarPictureComesFromTheDesktopInWallpaperMode) {
  const WallpaperChoice tiled = WallpaperPicture(u"C:\\pics\\sea.bmp", u"1");
  CalendarSettings page;
  page.mode = CalendarPictureMode::kWallpaper;
  page.imageFile = u"D:\\own.png";
  page.fit = true;
  CalendarSettings stored = WithDesktopPicture(page, tiled);
  EXPECT_EQ(stored.imageFile, u"C:\\pics\\sea.bmp");
  EXPECT_FALSE(stored.fit) << "a tiled wallpaper is stored with fit off";
  EXPECT_EQ(WithDesktopPicture(page, WallpaperChoice{}).imageFile, u"D:\\own.png") << "no wallpaper: the page's file";
  page.mode = CalendarPictureMode::kImageFile;
  stored = WithDesktopPicture(page, tiled);
  EXPECT_EQ(stored.imageFile, u"D:\\own.png");
  EXPECT_TRUE(stored.fit);
  EXPECT_EQ(FolderOfImage(u"D:\\pics\\own.png"), u"D:\\pics");
  EXPECT_EQ(FolderOfImage(u"own.png"), u"");

  MemoryRegistry registry;
  auto key = registry.OpenSettingsKey();
  page.haziness = 200;
  WriteCalendarBackground(key.get(), page);
  const CalendarSettings back = LoadCalendarSettings(key.get(), RECT32{0, 0, 800, 600});
  EXPECT_EQ(back.imageFile, u"D:\\own.png");
  EXPECT_EQ(back.mode, CalendarPictureMode::kImageFile);
  EXPECT_EQ(back.haziness, 200);
}

TEST(PreferencePages, WebsiteAddressIsReadableOnlyWhenAsked) {
  const std::u16string address = WebsiteAddress();
  EXPECT_EQ(address.rfind(u"https://", 0), 0u);
  EXPECT_EQ(address.back(), u'/');
}

}  // namespace
}  // namespace zavra
