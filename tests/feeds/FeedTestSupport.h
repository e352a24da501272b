#pragma once
// A feed store on a private folder serving documents the test sets by address, on a clock the
// test moves, and a note host that records what the feed manager asks for.
#include <algorithm>
#include <map>
#include <thread>
#include <string>
#include <vector>

#include "feeds/FeedManager.h"
#include "feeds/FileFeedStore.h"
#include "store/PortableFileSystem.h"
#include "store/StoreTestSupport.h"

namespace zavra::test {

class ServedFeeds : public IFeedFetcher {
 public:
  std::map<std::u16string, ParsedFeed> documents;
  std::map<std::u16string, int32_t> errors;
  int32_t Fetch(const std::u16string& url, ParsedFeed& feed) override {
    if (errors.count(url)) return errors[url];
    if (!documents.count(url)) return kFeedHttpError;
    feed = documents[url];
    return kFeedOk;
  }
};

struct NoLock : IStoreLock {
  bool Lock() override { return true; }
  void Unlock() override {}
};

inline ParsedFeed Document(std::u16string title, std::vector<ParsedItem> items) { return {std::move(title), std::move(items)}; }

struct StoreOnDisk {
  TempFolder temp;
  PortableFileSystem files;
  NoLock lock;
  ServedFeeds served;
  int64_t now = 1'700'000'000;
  FileFeedStore store{files, lock, served, temp.folder(), [this] { return now; }};

  void Subscribe(const std::u16string& name, const std::u16string& url, ParsedFeed document) {
    served.documents[url] = std::move(document);
    ASSERT_EQ(store.CreateFeed(name, url), FeedResult::kOk);
    ASSERT_EQ(store.Download(name), kFeedOk);
  }
  std::vector<FeedItem> Items(const std::u16string& name) {
    std::vector<FeedItem> items;
    EXPECT_TRUE(store.GetItems(name, items));
    return items;
  }
};

// Events as text ("downloaded News", "renamed Old to New"), and whether any came on another thread.
struct RecordingEvents : IFeedEvents {
  std::vector<std::u16string> seen;
  uint32_t thread = CurrentThreadId();
  bool otherThread = false;
  void OnFeedDownloadCompleted(const std::u16string& name, int32_t error) override {
    Record(u"downloaded " + name + (error ? u" failed" : u""));
  }
  void OnFeedRenamed(const std::u16string& name, const std::u16string& oldName) override {
    Record(u"renamed " + oldName + u" to " + name);
  }
  size_t Count(const std::u16string& event) const { return std::count(seen.begin(), seen.end(), event); }
  void Record(std::u16string event) {
    otherThread |= CurrentThreadId() != thread;
    seen.push_back(std::move(event));
  }
  static uint32_t CurrentThreadId() { return static_cast<uint32_t>(std::hash<std::thread::id>{}(std::this_thread::get_id())); }
};

class RecordingNoteHost : public IFeedNoteHost {
 public:
  struct Note {
    std::u16string text, link;
    uint32_t category;
    bool operator==(const Note&) const = default;
  };
  std::vector<Note> notes;
  std::vector<std::u16string> balloons;
  bool failSaves = false;
  bool NewFeedNote(const std::u16string& text, const std::u16string& link, uint32_t category) override {
    if (!failSaves) notes.push_back({text, link, category});
    return !failSaves;
  }
  void ShowNewFeedBalloon(const std::u16string& name) override { balloons.push_back(name); }
  CategoryList FeedCategories() override { return {}; }
};

}  // namespace zavra::test
