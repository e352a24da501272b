// The store as the programs use it: background downloads on their own thread, events from any
// writer delivered on the thread that connected, and a silent server that holds up nothing.
#include <gtest/gtest.h>

#include "FeedCorpus.h"
#include "FeedTestSupport.h"
#include "FeedWinTestSupport.h"
#include "LoopbackHttpServer.h"
#include "WinTestUtil.h"
#include "feeds/FeedFetcher_win.h"
#include "feeds/LocalFeedStore_win.h"

namespace zavra {
namespace {

class LocalFeedStoreTest : public testing::Test {
 protected:
  LocalFeedStoreOptions Options(int receiveMs = 30000) {
    LocalFeedStoreOptions o;
    o.minuteSeconds = 1;
    o.pollMs = 300;
    FetchLimits limits;
    limits.receiveMs = receiveMs;
    o.fetcher = std::make_shared<WinHttpFeedFetcher>(limits);
    return o;
  }
  test::TempFeedFolder temp_{L"zavra-feed-store-"};
  std::u16string folder_ = temp_.folder();
  test::LoopbackHttpServer server_;
};

TEST_F(LocalFeedStoreTest, DownloadsInTheBackgroundAsTheIntervalSays) {
  server_.Set("/feed", {200, test::RssDocument("F", {"1|First"})});
  LocalFeedStore store(folder_, Options());
  ASSERT_EQ(store.CreateFeed(u"F", server_.Url16("/feed")), FeedResult::kOk);
  ASSERT_EQ(store.SetSync(u"F", FeedSync::kInterval, 2), FeedResult::kOk);  // two test minutes: 2 s
  test::RecordingEvents sink;
  ASSERT_TRUE(store.Advise(&sink));
  ASSERT_TRUE(test::PumpUntil([&] { return sink.Count(u"downloaded F") == 1; }, 5000)) << "never tried: at once";
  server_.Set("/feed", {200, test::RssDocument("F", {"2|Later", "1|First"})});
  ASSERT_TRUE(test::PumpUntil([&] { return sink.Count(u"downloaded F") == 2; }, 8000)) << "again after its interval";
  std::vector<FeedItem> items;
  ASSERT_TRUE(store.GetItems(u"F", items));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].title, u"Later");
  EXPECT_FALSE(sink.otherThread);
  ASSERT_EQ(store.SetSync(u"F", FeedSync::kManual, 0), FeedResult::kOk);
  const int requests = server_.Requests("/feed");
  test::Pump(3000);
  EXPECT_EQ(server_.Requests("/feed"), requests) << "manual feeds are left alone";
}

TEST_F(LocalFeedStoreTest, ASilentServerHoldsUpNeitherEventsNorTheEnd) {
  server_.Set("/silent", {200, "", "", "", true});
  LocalFeedStore store(folder_, Options(20000));
  LocalFeedStore otherProgram(folder_, Options());
  ASSERT_EQ(store.CreateFeed(u"Silent", server_.Url16("/silent")), FeedResult::kOk);
  ASSERT_EQ(otherProgram.CreateFeed(u"Temp ZaVRA Temp", u"http://127.0.0.1:9/none"), FeedResult::kOk);
  test::RecordingEvents sink;
  ASSERT_TRUE(store.Advise(&sink));
  ASSERT_TRUE(test::PumpUntil([&] { return server_.Requests("/silent") == 1; }, 5000));
  ASSERT_EQ(otherProgram.RenameFeed(u"Temp ZaVRA Temp", u"Fresh"), FeedResult::kOk);
  EXPECT_TRUE(test::PumpUntil([&] { return sink.Count(u"renamed Temp ZaVRA Temp to Fresh") == 1; }, 3000))
      << "a rename by another program arrives while a download waits";
  const ULONGLONG started = ::GetTickCount64();
  store.Stop();
  EXPECT_LT(::GetTickCount64() - started, 3000u) << "stopping does not wait for the silent server";
  EXPECT_EQ(sink.Count(u"downloaded Silent failed"), 0u);
}

}  // namespace
}  // namespace zavra
