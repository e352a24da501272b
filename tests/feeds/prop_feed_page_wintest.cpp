// The Feed page in a sheet: what it shows, what its menu and Apply do, and that unsubscribing
// asks first.
#include <gtest/gtest.h>

#include "FeedTestSupport.h"
#include "FeedWinTestSupport.h"
#include "WinTestUtil.h"
#include "feeds/LocalFeedStore_win.h"
#include "feeds/PropFeedPage_win.h"
#include "resources/notezavra_res.h"
#include "store/MemoryRegistry.h"

namespace zavra {
namespace {

struct ThreeCategories : test::RecordingNoteHost {
  CategoryList FeedCategories() override {
    CategoryList list;
    for (auto [id, name] : {std::pair{1u, u"Unsorted"}, {10001u, u"Work"}, {10002u, u"Home"}}) {
      list.items.emplace_back();
      list.items.back().id = id;
      list.items.back().name = name;
    }
    list.RebuildIndex();
    return list;
  }
};

class FeedPageTest : public testing::Test {
 protected:
  void SetUp() override {
    store_.CreateFeed(u"News", u"http://news.example.org/rss");
    store_.CreateFeed(u"Blog", u"http://blog.example.org/atom");
    store_.SetSync(u"Blog", FeedSync::kInterval, 45);
    // A category that is gone, and a feed that is gone.
    WriteFeedSettings(registry_.OpenSettingsKey().get(), {kFeedModeConfigured, 10001, {{u"News", 10009}, {u"Gone", 0}}}, true);
    sheetObject_.AddPage(&page_);
    sheet_ = sheetObject_.Create(nullptr);
    ASSERT_TRUE(sheet_);
  }
  void TearDown() override { ::DestroyWindow(sheet_); }
  HWND Item(int id) const { return ::GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet_), id); }

  test::TempFeedFolder temp_{L"zavra-feed-page-"};
  LocalFeedStore store_{temp_.folder()};
  MemoryRegistry registry_;
  ThreeCategories host_;
  CFeedManager manager_{store_, registry_, host_};
  CPropFeedPage page_{manager_, registry_};
  CPropertySheet sheetObject_{L"QZ[Preferences]"};
  HWND sheet_ = nullptr;
};

TEST_F(FeedPageTest, ShowsTheFeedsAndAppliesWhatTheMenuChanged) {
  EXPECT_EQ(::SendMessageW(Item(IDC_FEED_MODE_CONFIGURED), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(::IsWindowEnabled(Item(IDC_FEED_LIST)));
  wchar_t combo[64] = {};
  ::GetWindowTextW(Item(IDC_FEED_CATEGORY), combo, 64);
  EXPECT_STREQ(combo, L"Work");
  EXPECT_EQ(ListView_GetItemCount(Item(IDC_FEED_LIST)), 2);
  const wchar_t* cells[2][4] = {{L"News", L"On", L"1d", L"Unsorted"}, {L"Blog", L"", L"30m", L"(Default)"}};
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 4; ++column) EXPECT_EQ(page_.CellText(row, column), cells[row][column]) << row << column;
  MenuHandle menu(page_.BuildRowMenu(0));
  ASSERT_TRUE(menu);
  for (UINT checked : {IDM_FEED_ENABLE, IDM_FEED_SI_FIRST + 5, IDM_FEED_CATE_FIRST})  // on, 1 day, Unsorted
    EXPECT_TRUE(::GetMenuState(menu.get(), checked, MF_BYCOMMAND) & MF_CHECKED) << checked;
  ::ShowWindow(sheet_, SW_SHOW);
  test::Pump(300);
  EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(L"feed_page.png")));

  page_.RunRowCommand(1, IDM_FEED_ENABLE);
  page_.RunRowCommand(1, IDM_FEED_CATE_FIRST + 2);
  page_.RunRowCommand(0, IDM_FEED_SI_FIRST);
  page_.RunRowCommand(1, IDM_FEED_SI_FIRST + 5);
  EXPECT_EQ(page_.CellText(1, 3), L"Home");
  PropSheet_PressButton(sheet_, PSBTN_APPLYNOW);
  test::Pump(100);
  ASSERT_TRUE(page_.applied());
  const FeedSettings written = ReadFeedSettings(registry_.OpenSettingsKey().get());
  EXPECT_EQ(std::make_pair(written.mode, written.defaultCategory), std::make_pair(2u, 10001u));
  EXPECT_EQ(written.feeds, (std::vector<FeedEntry>{{u"News", 1}, {u"Blog", 10002}}));
  EXPECT_EQ(store_.GetFeed(u"News")->sync, FeedSync::kManual);
  EXPECT_EQ(store_.GetFeed(u"Blog")->sync, FeedSync::kDefault) << "one day is the default interval";
}

TEST_F(FeedPageTest, UnsubscribingAsksFirst) {
  test::AnswerNextMessageBox(IDNO);
  page_.RunRowCommand(0, IDM_FEED_UNSUBSCRIBE);
  EXPECT_NE(test::boxText.find(L"\"News\""), std::wstring::npos) << "the question names the feed";
  EXPECT_TRUE(store_.GetFeed(u"News"));
  test::AnswerNextMessageBox(IDYES);
  page_.RunRowCommand(0, IDM_FEED_UNSUBSCRIBE);
  EXPECT_FALSE(store_.GetFeed(u"News"));
  ASSERT_EQ(page_.data().rows.size(), 1u);
  EXPECT_TRUE(page_.modified());
}

}  // namespace
}  // namespace zavra
