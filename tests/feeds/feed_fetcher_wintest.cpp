// Downloads from a server on this machine: what arrives, and every way a download must end.
#include <gtest/gtest.h>

#include "FeedCorpus.h"
#include "LoopbackHttpServer.h"
#include "feeds/FeedFetcher_win.h"
#include "framework/Win.h"

namespace zavra {
namespace {

using Server = test::LoopbackHttpServer;

TEST(FeedFetcher, FollowsRedirectsAndResolvesLinksAgainstTheFinalAddress) {
  Server server;
  server.Set("/moved", {301, "", "text/html", "/feeds/rss2.xml"});
  server.Set("/feeds/rss2.xml", {200, test::CorpusDocument(L"RSS2")});
  ParsedFeed feed;
  ASSERT_EQ(WinHttpFeedFetcher().Fetch(server.Url16("/moved"), feed), kFeedOk);
  EXPECT_EQ(feed.title, u"Harbour & Town News");
  ASSERT_EQ(feed.items.size(), 5u);
  EXPECT_EQ(feed.items[3].link, server.Url16("/relative/path?x=1"));
}

TEST(FeedFetcher, EveryFailureEndsInTime) {
  Server server;
  server.Set("/loop", {302, "", "text/html", "/loop"});
  server.Set("/page.html", {200, test::CorpusDocument(L"NOT_A_FEED"), "text/html"});
  server.Set("/big", {200, std::string(9u << 20, 'x')});
  server.Set("/big-unannounced", {200, std::string(5000, 'x'), "text/xml", "", false, true});
  server.Set("/silent", {200, "", "", "", true});
  FetchLimits limits;
  limits.receiveMs = 1500;
  limits.maxBytes = 4000;
  const struct {
    std::u16string url;
    int32_t want;
  } cases[] = {
      {server.Url16("/loop"), -1},  // redirected too often: either error, but soon
      {server.Url16("/missing"), kFeedHttpError},
      {server.Url16("/page.html"), kFeedNotAFeed},
      {server.Url16("/big"), kFeedTooLarge},
      {server.Url16("/big-unannounced"), kFeedTooLarge},
      {server.Url16("/silent"), kFeedNetworkError},
      {u"ftp://127.0.0.1/feed", kFeedBadAddress},
      {u"http:///feed", kFeedBadAddress},
  };
  for (const auto& c : cases) {
    ParsedFeed feed;
    const ULONGLONG started = ::GetTickCount64();
    const int32_t got = WinHttpFeedFetcher(limits).Fetch(c.url, feed);
    if (c.want == -1)
      EXPECT_TRUE(got == kFeedNetworkError || got == kFeedHttpError) << got;
    else
      EXPECT_EQ(got, c.want) << std::string(c.url.begin(), c.url.end());
    EXPECT_LT(::GetTickCount64() - started, 6000u) << std::string(c.url.begin(), c.url.end());
  }
  EXPECT_LE(server.Requests("/loop"), 10) << "redirects are followed a few times only";
}

}  // namespace
}  // namespace zavra
