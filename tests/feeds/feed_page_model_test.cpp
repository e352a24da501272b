// The feed page without its controls: rows, interval ranges and what Apply writes.
#include <gtest/gtest.h>

#include "FeedTestSupport.h"
#include "feeds/FeedPageModel.h"

namespace zavra {
namespace {

CategoryList Categories(std::initializer_list<uint32_t> ids) {
  CategoryList list;
  for (uint32_t id : ids) list.items.emplace_back().id = id;
  list.RebuildIndex();
  return list;
}

TEST(FeedPageModel, IntervalRanges) {
  const struct {
    uint32_t minutes;
    int choice;
  } cases[] = {{0, 0}, {1, 1}, {15, 1}, {29, 1}, {30, 2}, {59, 2}, {60, 3}, {239, 3}, {240, 4},
               {1439, 4}, {1440, 5}, {10079, 5}, {10080, 6}, {UINT32_MAX, 6}};
  for (const auto& c : cases) EXPECT_EQ(IntervalChoice(c.minutes), c.choice) << c.minutes;
  for (int i = 0; i < kIntervalChoiceCount; ++i) EXPECT_EQ(IntervalChoice(kIntervalChoices[i]), i);
}

TEST(FeedPageModel, RowsFromTheStoreMarkedFromTheSettings) {
  test::StoreOnDisk s;
  for (const char16_t* name : {u"A", u"B", u"C"}) s.store.CreateFeed(name, std::u16string(u"http://x/") + name);
  s.store.SetSync(u"B", FeedSync::kInterval, 30);
  s.store.SetSync(u"C", FeedSync::kManual, 30);
  const FeedSettings settings{kFeedModeConfigured, 10001, {{u"a", 10009}, {u"c", 0}}};
  const FeedPageData page = LoadFeedPage(s.store, settings, Categories({1, 10001}));
  ASSERT_TRUE(page.listed);
  ASSERT_EQ(page.rows.size(), 3u);
  const std::tuple<uint32_t, uint32_t, bool> want[] = {{1440, 1, true}, {30, 0, false}, {0, 0, true}};
  for (size_t i = 0; i < 3; ++i)  // a category that is gone shows as 1
    EXPECT_EQ(std::make_tuple(page.rows[i].interval, page.rows[i].category, page.rows[i].enable), want[i]) << i;
  EXPECT_EQ(SettingsFromPage(page).feeds, (std::vector<FeedEntry>{{u"A", 1}, {u"C", 0}}));
}

TEST(FeedPageModel, ApplyStoresTheDefaultIntervalAsDefault) {
  test::StoreOnDisk s;
  for (const char16_t* name : {u"A", u"B", u"C", u"D"}) s.store.CreateFeed(name, std::u16string(u"http://x/") + name);
  s.store.SetSync(u"A", FeedSync::kInterval, 60);
  s.store.SetBackgroundSync(false);
  ApplyFeedSync(s.store, {{u"A", 1440, 0, true}, {u"B", 0, 0, true}, {u"C", 240, 0, false}});
  EXPECT_TRUE(s.store.BackgroundSync());
  const std::pair<FeedSync, uint32_t> want[] = {
      {FeedSync::kDefault, 60}, {FeedSync::kManual, 0}, {FeedSync::kInterval, 240}, {FeedSync::kDefault, 0}};
  std::vector<FeedInfo> feeds;
  ASSERT_TRUE(s.store.ListFeeds(feeds));
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(std::make_pair(feeds[i].sync, feeds[i].interval), want[i]) << i;
}

TEST(FeedPageModel, AStoreThatCannotBeListedGivesNoRows) {
  test::StoreOnDisk s;
  s.store.CreateFeed(u"A", u"http://x/a");
  s.temp.Write("feeds.qfs", {'Q', 'F', 'S', 9, 0});
  const FeedPageData page = LoadFeedPage(s.store, {kFeedModeConfigured, 1, {{u"A", 0}}}, Categories({1}));
  EXPECT_FALSE(page.listed);
  EXPECT_TRUE(page.rows.empty());
}

}  // namespace
}  // namespace zavra
