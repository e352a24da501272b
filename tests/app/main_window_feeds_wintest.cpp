// The main window with feeds: unread items of the configured feeds become popup notes at
// start-up, in their category, once.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/MainWindowFixture.h"
#include "feeds/FeedManager.h"
#include "feeds/LocalFeedStore_win.h"
#include "notewnd/NoteWnd_win.h"
#include "skin/SkinLayer.h"

namespace zavra {
namespace {

class OneDocument : public IFeedFetcher {
 public:
  explicit OneDocument(ParsedFeed feed) : feed_(std::move(feed)) {}
  int32_t Fetch(const std::u16string&, ParsedFeed& feed) override {
    feed = feed_;
    return kFeedOk;
  }

 private:
  ParsedFeed feed_;
};

class MainWindowFeeds : public test::MainWindowFixture {
 protected:
  // A feed already downloaded by "another program"; its address is a closed port, and the
  // default interval keeps the program from downloading it again during the test.
  void SubscribeNews() {
    LocalFeedStoreOptions options;
    options.fetcher = std::make_shared<OneDocument>(ParsedFeed{
        u"News", {{u"1", u"http://example.com/1", u"First &amp; foremost"}, {u"2", u"note:7", u"Second"}}});
    LocalFeedStore store(FeedFolderFor(data_), options);
    ASSERT_EQ(store.CreateFeed(u"News", u"http://127.0.0.1:9/rss"), FeedResult::kOk);
    ASSERT_EQ(store.Download(u"News"), kFeedOk);
    AddCategory(10001, u"Feeds");
    WriteFeedSettings(registry_->OpenSettingsKey().get(), {kFeedModeConfigured, 1, {{u"News", 10001}}}, true);
  }
};

TEST_F(MainWindowFeeds, UnreadItemsBecomePopupNotesOnce) {
  SubscribeNews();
  CMainWnd& main = Start();
  ASSERT_TRUE(main.feedManager());
  std::vector<NOTE_PAD> notes = AllNotes();
  ASSERT_EQ(notes.size(), 2u);
  std::sort(notes.begin(), notes.end(), [](const NOTE_PAD& a, const NOTE_PAD& b) { return a.id < b.id; });
  EXPECT_EQ(notes[0].text, u"First & foremost");
  EXPECT_EQ(notes[0].link, u"http://example.com/1");
  EXPECT_EQ(notes[1].link, u"") << "a feed's link that is no web page is dropped";
  for (const NOTE_PAD& n : notes) EXPECT_EQ(n.category, 10001u);
  ASSERT_EQ(main.noteWindows().size(), 2u);
  for (CNoteWnd* w : main.noteWindows()) EXPECT_TRUE(w->state() & kStatePopup);

  main_.reset();
  Start();
  EXPECT_EQ(AllNotes().size(), 2u) << "read items make no second note";
}

}  // namespace
}  // namespace zavra
