// The feed store on disk: names, downloads that merge and keep read flags, events, damage.
#include <gtest/gtest.h>

#include "FeedTestSupport.h"
#include "feeds/FeedFiles.h"

namespace zavra {
namespace {

using test::Document;

TEST(FeedStore, NamesAreUniqueWithoutRegardToCase) {
  test::StoreOnDisk s;
  EXPECT_EQ(s.store.CreateFeed(u"News", u"http://a/rss"), FeedResult::kOk);
  EXPECT_EQ(s.store.CreateFeed(u"NEWS", u"http://b/rss"), FeedResult::kExists);
  EXPECT_EQ(s.store.CreateFeed(u"Blog", u"http://b/rss"), FeedResult::kOk);
  EXPECT_EQ(s.store.CreateFeed(u"Mail", u"mailto:x@y"), FeedResult::kFailed);
  const struct {
    std::u16string from, to;
    FeedResult want;
  } renames[] = {{u"news", u"BLOG", FeedResult::kExists},  {u"News", u"a/b", FeedResult::kInvalidName},
                 {u"News", u"x.", FeedResult::kInvalidName}, {u"Gone", u"X", FeedResult::kNotFound},
                 {u"news", u"NEWS", FeedResult::kOk},       {u"NEWS", u"World", FeedResult::kOk}};
  for (const auto& r : renames) EXPECT_EQ(s.store.RenameFeed(r.from, r.to), r.want) << std::string(r.to.begin(), r.to.end());
  EXPECT_EQ(s.store.GetFeedByUrl(u"http://a/rss")->name, u"World");
  EXPECT_EQ(s.store.DeleteFeed(u"world"), FeedResult::kOk);
  EXPECT_EQ(s.temp.Names(), (std::set<std::string>{"feeds.qfs", "2.qfi"})) << "the items went with the feed";
}

TEST(FeedStore, DownloadsMergeByIdAndKeepReadFlags) {
  test::StoreOnDisk s;
  s.Subscribe(u"News", u"http://a/rss",
              Document(u"A News", {{u"g1", u"http://a/1", u"One"}, {u"", u"http://a/2", u"Two"}, {u"", u"", u"Three"}}));
  auto items = s.Items(u"News");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].id, u"http://a/2") << "no guid: the link";
  EXPECT_EQ(items[2].id.substr(0, 1), u"#") << "no link either: a hash of the title";
  ASSERT_TRUE(s.store.MarkRead(u"News", {u"g1", items[2].id}));
  EXPECT_EQ(s.store.UnreadCount(u"News"), 1u);

  // Later: "Two" left the document, a new item came first, "One" got a new title.
  s.served.documents[u"http://a/rss"] = Document(u"", {{u"g0", u"", u"Zero"}, {u"g1", u"", u"One!"}, {u"", u"", u"Three"}});
  ASSERT_EQ(s.store.Download(u"News"), kFeedOk);
  items = s.Items(u"News");
  const std::vector<std::pair<std::u16string, bool>> want = {{u"Zero", false}, {u"One!", true}, {u"Three", true}, {u"Two", false}};
  ASSERT_EQ(items.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(std::make_pair(items[i].title, items[i].read), want[i]) << i;
  EXPECT_EQ(s.store.GetFeed(u"News")->title, u"A News") << "a document without a title keeps the old one";

  s.now += 60;
  s.served.errors[u"http://a/rss"] = kFeedNotAFeed;
  EXPECT_EQ(s.store.Download(u"News"), kFeedNotAFeed);
  EXPECT_EQ(s.Items(u"News").size(), 4u) << "a failed download keeps the items";
  const FeedInfo info = *s.store.GetFeed(u"News");
  EXPECT_EQ(std::make_tuple(info.lastError, info.lastAttempt, info.lastSuccess), std::make_tuple(kFeedNotAFeed, s.now, s.now - 60));
  EXPECT_EQ(s.store.Download(u"Other"), kFeedGone);
}

TEST(FeedStore, EventsReachAWatcherOnceAndInOrder) {
  test::StoreOnDisk s;
  s.Subscribe(u"Old", u"http://a/rss", Document(u"T", {}));
  FeedEventPump pump;
  pump.Start(s.store);
  test::RecordingEvents sink;
  s.served.errors[u"http://a/rss"] = kFeedNetworkError;
  s.store.Download(u"Old");
  s.store.RenameFeed(u"Old", u"New");
  ASSERT_TRUE(pump.Deliver(s.store, sink));
  ASSERT_TRUE(pump.Deliver(s.store, sink));
  EXPECT_EQ(sink.seen, (std::vector<std::u16string>{u"downloaded Old failed", u"renamed Old to New"}));
  // More events than the index keeps: the newest arrive.
  for (int i = 0; i < 40; ++i) ASSERT_EQ(s.store.RenameFeed(i % 2 ? u"Newer" : u"New", i % 2 ? u"New" : u"Newer"), FeedResult::kOk);
  sink.seen.clear();
  pump.Deliver(s.store, sink);
  EXPECT_EQ(sink.seen.size(), kKeptFeedEvents);
  EXPECT_EQ(sink.seen.back(), u"renamed Newer to New");
}

TEST(FeedStore, ADamagedIndexCannotBeListedAndIsSetAsideByTheNextChange) {
  test::StoreOnDisk s;
  s.Subscribe(u"News", u"http://a/rss", Document(u"T", {{u"g1", u"", u"One"}}));
  test::Bytes index = s.temp.Read("feeds.qfs");
  s.temp.Write("feeds.qfs", test::Bytes(index.begin(), index.end() - 3));
  std::vector<FeedInfo> feeds;
  EXPECT_FALSE(s.store.ListFeeds(feeds)) << "an unreadable store is not an empty one";
  EXPECT_EQ(s.store.CreateFeed(u"Fresh", u"http://b/rss"), FeedResult::kOk);
  EXPECT_TRUE(s.store.ListFeeds(feeds));
  EXPECT_EQ(feeds.size(), 1u);
  EXPECT_TRUE(s.temp.Names().count("feeds.qfs.bad"));
  EXPECT_TRUE(s.Items(u"Fresh").empty()) << "a new feed never inherits a left-over items file";
}

}  // namespace
}  // namespace zavra
