// Subscribing an address: the temporary feed becomes a feed named after its title, or goes.
#include <gtest/gtest.h>

#include "feeds/FeedTestSupport.h"
#include "feedhelper/FeedSubscriber.h"
#include "feeds/FeedNames.h"

namespace zavra {
namespace {

using test::Document;

std::vector<std::u16string> Names(IFeedStore& store) {
  std::vector<FeedInfo> feeds;
  EXPECT_TRUE(store.ListFeeds(feeds));
  std::vector<std::u16string> names;
  for (const FeedInfo& f : feeds) names.push_back(f.name);
  return names;
}

TEST(FeedSubscriber, NamesTheFeedAfterItsCleanedUniqueTitle) {
  test::StoreOnDisk s;
  s.store.CreateFeed(u"News Today", u"http://other/");
  const struct {
    std::u16string url, title, name;
  } cases[] = {
      {u"http://a/rss", u"News: Today", u"News Today (2)"},
      {u"http://b/rss", u"  ", u"b"},
      {u"http://c/rss", kTempFeedName, u"Temp ZaVRA Temp (2)"},
      {u"https://d/rss", u"Fine", u"Fine"},
  };
  for (const auto& c : cases) {
    s.served.documents[c.url] = Document(c.title, {{u"1", u"", u"Item"}});
    const SubscribeOutcome out = SubscribeFeed(s.store, c.url);
    EXPECT_EQ(out.kind, SubscribeOutcome::kSubscribed);
    EXPECT_EQ(out.name, c.name);
    EXPECT_EQ(s.store.GetFeedByUrl(c.url)->name, c.name);
    EXPECT_EQ(s.store.UnreadCount(c.name), 1u) << "downloaded";
  }
  EXPECT_FALSE(s.store.GetFeed(kTempFeedName));
}

TEST(FeedSubscriber, KnownAddressesAndFailedDownloadsLeaveTheStoreAsItWas) {
  test::StoreOnDisk s;
  s.served.documents[u"http://a/rss"] = Document(u"A", {});
  ASSERT_EQ(SubscribeFeed(s.store, u"http://a/rss").kind, SubscribeOutcome::kSubscribed);
  EXPECT_EQ(SubscribeFeed(s.store, u"http://a/rss").kind, SubscribeOutcome::kAlreadySubscribed);
  s.served.errors[u"http://b/rss"] = kFeedNetworkError;
  EXPECT_EQ(SubscribeFeed(s.store, u"http://b/rss").kind, SubscribeOutcome::kDownloadFailed);
  EXPECT_EQ(Names(s.store), std::vector<std::u16string>{u"A"});
  // A temporary feed left by a helper that died goes with the next subscription.
  s.store.CreateFeed(kTempFeedName, u"http://dead/rss");
  s.served.documents[u"http://c/rss"] = Document(u"C", {});
  EXPECT_EQ(SubscribeFeed(s.store, u"http://c/rss").kind, SubscribeOutcome::kSubscribed);
  EXPECT_EQ(Names(s.store), (std::vector<std::u16string>{u"A", u"C"}));
}

}  // namespace
}  // namespace zavra
