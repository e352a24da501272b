#pragma once
// The feed store of the current user as the programs use it: the files of FileFeedStore under
// a named mutex shared by every program, downloads over WinHTTP, and, once a sink connects, two
// background threads: one downloads the feeds as their intervals say, the other watches the
// folder, so that the events recorded by any thread or program reach the sink on its own thread
// even while a download waits for a slow server.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "feeds/FileFeedStore.h"
#include "framework/Win.h"

namespace zavra {

// <data folder>\Feeds\ : the feeds live beside the notes of the same user.
std::u16string FeedFolderFor(const std::wstring& dataFolder);
// The same folder found the way the main program finds its data folder.
std::u16string UserFeedFolder();

struct LocalFeedStoreOptions {
  int64_t minuteSeconds = 60;  // tests shorten the minutes of the sync intervals
  DWORD pollMs = 5000;         // how often the thread looks for changes a notification missed
  std::shared_ptr<IFeedFetcher> fetcher;  // null: WinHTTP
  std::function<int64_t()> clock;         // null: the system clock
};

class LocalFeedStore : public IFeedStore {
 public:
  explicit LocalFeedStore(std::u16string folder, LocalFeedStoreOptions options = {});
  LocalFeedStore(const LocalFeedStore&) = delete;
  LocalFeedStore& operator=(const LocalFeedStore&) = delete;
  ~LocalFeedStore() override;

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
  // One sink; its events arrive through this thread's message loop.
  bool Advise(IFeedEvents* sink) override;
  void Unadvise(IFeedEvents* sink) override;

  // Ends the background thread and the events; a download in progress is left to finish on
  // its own (it touches nothing of the caller's).
  void Stop();

 private:
  struct Shared;
  static LRESULT CALLBACK SinkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  static DWORD WINAPI SyncWorker(void* shared);
  static DWORD WINAPI WatchWorker(void* shared);
  void Wake();
  void DeliverEvents();

  std::shared_ptr<Shared> shared_;
  HWND sinkWindow_ = nullptr;
  IFeedEvents* sink_ = nullptr;
  FeedEventPump pump_;
  HANDLE syncThread_ = nullptr;
  HANDLE watchThread_ = nullptr;
  bool delivering_ = false;
  bool deliverAgain_ = false;
};

}  // namespace zavra
