#pragma once
// The feed store the feed manager, the feed page and the subscription helper work with: feeds
// in one flat folder, each known by a unique name (compared without regard to case) and by
// its address, with its items and their read flags. The operating system's common feed store
// offers the same operations where it exists; the program uses its own (FileFeedStore).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zavra {

// How a feed is downloaded in the background.
enum class FeedSync : uint32_t { kDefault = 0, kInterval = 1, kManual = 2 };

struct FeedInfo {
  std::u16string name;
  std::u16string url;
  std::u16string title;        // the feed's own title, from its last good download
  FeedSync sync = FeedSync::kDefault;
  uint32_t interval = 0;       // minutes, used with FeedSync::kInterval
  int64_t lastAttempt = 0;     // seconds since 1970 UTC; 0 = never
  int64_t lastSuccess = 0;
  int32_t lastError = 0;       // FeedError of the last attempt
};

struct FeedItem {
  std::u16string id;     // stable: the item's guid, else its link, else a hash of its title
  std::u16string title;  // as the document gave it, XML references decoded
  std::u16string link;
  bool read = false;
};

enum FeedError : int32_t {
  kFeedOk = 0,
  kFeedNetworkError = 1,  // no connection, time-out, redirected too often
  kFeedHttpError = 2,     // the server answered with something other than 200
  kFeedTooLarge = 3,
  kFeedNotAFeed = 4,      // not RSS or Atom, or not well-formed
  kFeedBadAddress = 5,    // not an http or https address
  kFeedStoreError = 6,    // the store could not be read or written
  kFeedGone = 7,          // the feed was deleted meanwhile
};

enum class FeedResult { kOk, kNotFound, kExists, kInvalidName, kFailed };

class IFeedEvents {
 public:
  virtual void OnFeedDownloadCompleted(const std::u16string& name, int32_t error) = 0;
  virtual void OnFeedRenamed(const std::u16string& name, const std::u16string& oldName) = 0;

 protected:
  ~IFeedEvents() = default;
};

class IFeedStore {
 public:
  virtual ~IFeedStore() = default;

  // False when the store could not be read: callers must then not act as if it were empty.
  virtual bool ListFeeds(std::vector<FeedInfo>& feeds) = 0;
  virtual std::optional<FeedInfo> GetFeed(const std::u16string& name) = 0;
  virtual std::optional<FeedInfo> GetFeedByUrl(const std::u16string& url) = 0;
  virtual FeedResult CreateFeed(const std::u16string& name, const std::u16string& url) = 0;
  // Deletes the feed with its items and their read flags.
  virtual FeedResult DeleteFeed(const std::u16string& name) = 0;
  // Fails with kExists when another feed has the new name.
  virtual FeedResult RenameFeed(const std::u16string& name, const std::u16string& newName) = 0;
  virtual FeedResult SetSync(const std::u16string& name, FeedSync sync, uint32_t interval) = 0;

  // The items in the document's order, older ones after; false when they cannot be read.
  virtual bool GetItems(const std::u16string& name, std::vector<FeedItem>& items) = 0;
  virtual std::optional<uint32_t> UnreadCount(const std::u16string& name) = 0;
  virtual bool MarkRead(const std::u16string& name, const std::vector<std::u16string>& itemIds) = 0;

  virtual uint32_t DefaultInterval() = 0;  // minutes
  virtual bool BackgroundSync() = 0;
  virtual bool SetBackgroundSync(bool on) = 0;

  // Downloads the feed now on the calling thread and merges its items: a FeedError.
  virtual int32_t Download(const std::u16string& name) = 0;

  // Events arrive on the thread that connected, through its message loop; a store that
  // cannot deliver events returns false.
  virtual bool Advise(IFeedEvents* sink) = 0;
  virtual void Unadvise(IFeedEvents* sink) = 0;
};

}  // namespace zavra
