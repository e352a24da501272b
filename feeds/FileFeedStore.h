#pragma once
// The program's own feed store: an index of the feeds and one items file per feed in a folder
// of the user's profile (layout in feeds/README.md). Two programs and several threads use it at
// once: every change reads, changes and writes the index under one lock shared by all of them,
// writing through a temporary file that replaces the old one only when complete. Downloads run
// outside the lock. Changes are recorded as numbered events in the index, from which watchers
// learn what other threads and programs did.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "feeds/FeedFiles.h"
#include "feeds/FeedItems.h"
#include "feeds/FeedStore.h"
#include "store/FileSystem.h"

namespace zavra {

// A lock shared by every thread and program that writes the store (a named mutex in the program).
class IStoreLock {
 public:
  virtual ~IStoreLock() = default;
  // False when the lock could not be had in reasonable time.
  virtual bool Lock() = 0;
  virtual void Unlock() = 0;
};

// Fetches and parses a feed document: kFeedOk and the feed, or a FeedError.
class IFeedFetcher {
 public:
  virtual ~IFeedFetcher() = default;
  virtual int32_t Fetch(const std::u16string& url, ParsedFeed& feed) = 0;
};

class FileFeedStore : public IFeedStore {
 public:
  using Clock = std::function<int64_t()>;  // seconds since 1970 UTC

  // `folder` ends with a path separator; it is created with the first change.
  FileFeedStore(IFileSystem& files, IStoreLock& lock, IFeedFetcher& fetcher, std::u16string folder, Clock now);

  bool ListFeeds(std::vector<FeedInfo>& feeds) override;
  std::optional<FeedInfo> GetFeed(const std::u16string& name) override;
  std::optional<FeedInfo> GetFeedByUrl(const std::u16string& url) override;
  FeedResult CreateFeed(const std::u16string& name, const std::u16string& url) override;
  FeedResult DeleteFeed(const std::u16string& name) override;
  FeedResult RenameFeed(const std::u16string& name, const std::u16string& newName) override;
  FeedResult SetSync(const std::u16string& name, FeedSync sync, uint32_t interval) override;
  bool GetItems(const std::u16string& name, std::vector<FeedItem>& items) override;
  std::optional<uint32_t> UnreadCount(const std::u16string& name) override;
  bool MarkRead(const std::u16string& name, const std::vector<std::u16string>& itemIds) override;
  uint32_t DefaultInterval() override;
  bool BackgroundSync() override;
  bool SetBackgroundSync(bool on) override;
  int32_t Download(const std::u16string& name) override;
  // This store has no thread of its own to deliver events; see FeedEventPump.
  bool Advise(IFeedEvents*) override { return false; }
  void Unadvise(IFeedEvents*) override {}

  // The events recorded after number `after`, oldest first, and the newest number; false when
  // the index cannot be read.
  bool ReadEvents(uint64_t after, std::vector<FeedEvent>& events, uint64_t& newest);
  // The whole index as it is now; false when it cannot be read.
  bool Snapshot(FeedIndex& index);
  const std::u16string& folder() const { return folder_; }

 private:
  class Locked;
  // Reads the index into `index`: kFileOk, or a FileResult; a missing index is an empty store.
  int ReadIndex(FeedIndex& index);
  // Runs `change` on the index under the lock and writes the index when it returns kOk. A
  // damaged index is set aside first, so that the store can be used again.
  FeedResult Change(const std::function<FeedResult(FeedIndex&)>& change);
  bool ReadItems(uint32_t file, std::vector<StoredItem>& items);
  bool WriteReplacing(const std::u16string& name, const std::vector<uint8_t>& bytes);
  // The items of the named feed under the lock.
  bool LoadItems(const std::u16string& name, std::vector<StoredItem>& items);

  IFileSystem& files_;
  IStoreLock& lock_;
  IFeedFetcher& fetcher_;
  std::u16string folder_;
  Clock now_;
};

// Hands the events of a store to a sink, each once, oldest first.
class FeedEventPump {
 public:
  // Events already recorded are not delivered.
  void Start(FileFeedStore& store);
  // Delivers what was recorded since the last call; true when the index could be read.
  bool Deliver(FileFeedStore& store, IFeedEvents& sink);
  uint64_t seen() const { return seen_; }

 private:
  uint64_t seen_ = 0;
};

}  // namespace zavra
