// The feed manager against a store on disk: which items become notes, once, and where.
#include <gtest/gtest.h>

#include "FeedTestSupport.h"
#include "feeds/FeedNames.h"
#include "store/MemoryRegistry.h"

namespace zavra {
namespace {

using Note = test::RecordingNoteHost::Note;
using Notes = std::vector<Note>;
using test::Document;

class FeedManagerTest : public testing::Test {
 protected:
  void Start(uint32_t mode, uint32_t category, std::vector<FeedEntry> feeds = {}) {
    WriteFeedSettings(registry_.OpenSettingsKey().get(), {mode, category, std::move(feeds)}, true);
    manager_.Start();
  }
  test::StoreOnDisk s_;
  MemoryRegistry registry_;
  test::RecordingNoteHost host_;
  CFeedManager manager_{s_.store, registry_, host_};
};

TEST_F(FeedManagerTest, UnreadItemsBecomeNotesOnceAndOnlyWhenSaved) {
  s_.Subscribe(u"News", u"http://a/rss", Document(u"T", {{u"1", u"http://a/1", u"Tom &amp; Jerry &#x263A;"},
                                                        {u"2", u"javascript:alert(1)", u"Script link"},
                                                        {u"3", u"https://a/3", u""}}));
  host_.failSaves = true;
  Start(kFeedModeAll, 0);
  EXPECT_EQ(s_.store.UnreadCount(u"News"), 2u) << "only the item without a title is read: no note was saved";
  host_.failSaves = false;
  manager_.OnFeedDownloadCompleted(u"News", kFeedOk);
  EXPECT_EQ(host_.notes, (Notes{{u"Tom & Jerry \u263A", u"http://a/1", 1}, {u"Script link", u"", 1}}))
      << "default category 0 becomes 1; only web links are kept";
  manager_.Start();
  manager_.OnFeedDownloadCompleted(u"News", kFeedOk);
  EXPECT_EQ(host_.notes.size(), 2u);
}

TEST_F(FeedManagerTest, ModesDecideWhichFeedsDeliver) {
  s_.Subscribe(u"News", u"http://a/rss", Document(u"T", {{u"1", u"", u"News item"}}));
  s_.Subscribe(u"Blog", u"http://b/rss", Document(u"T", {{u"1", u"", u"Blog item"}}));
  Start(kFeedModeConfigured, 7);
  EXPECT_TRUE(host_.notes.empty()) << "mode 2 without configured feeds is mode 0";
  Start(kFeedModeConfigured, 7, {{u"BLOG", 0}});
  EXPECT_EQ(host_.notes, (Notes{{u"Blog item", u"", 7}}));
  EXPECT_EQ(s_.store.UnreadCount(u"News"), 1u);
}

TEST_F(FeedManagerTest, AFeedFromTheHelperIsAnnouncedAndTheTemporaryNameIgnored) {
  s_.Subscribe(kTempFeedName, u"http://a/rss", Document(u"T", {{u"1", u"", u"Item"}}));
  Start(kFeedModeAll, 3);
  manager_.OnFeedDownloadCompleted(kTempFeedName, kFeedOk);
  EXPECT_TRUE(host_.notes.empty()) << "never notes from the temporary feed";
  Start(kFeedModeConfigured, 3, {{u"Other", 0}});
  ASSERT_EQ(s_.store.RenameFeed(kTempFeedName, u"Fresh"), FeedResult::kOk);
  manager_.OnFeedRenamed(u"Fresh", kTempFeedName);
  EXPECT_EQ(host_.balloons, std::vector<std::u16string>{u"Fresh"}) << "announced even when it delivers no notes";
  EXPECT_TRUE(host_.notes.empty());
  Start(kFeedModeAll, 3);
  manager_.OnFeedRenamed(u"Again", u"Fresh");
  EXPECT_EQ(host_.balloons.size(), 1u) << "only a rename from the temporary name is a new feed";
  EXPECT_EQ(host_.notes, (Notes{{u"Item", u"", 3}}));
  Start(kFeedModeNone, 3);
  manager_.OnFeedRenamed(u"Third", kTempFeedName);
  EXPECT_EQ(host_.balloons.size(), 1u) << "mode 0 ignores events";
}

}  // namespace
}  // namespace zavra
