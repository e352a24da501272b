#include "feeds/FileFeedStore.h"

#include <algorithm>
#include <unordered_set>

#include "feeds/FeedNames.h"
#include "store/NoteFile.h"
#include "store/NoteStore.h"

namespace zavra {

class FileFeedStore::Locked {
 public:
  explicit Locked(IStoreLock& lock) : lock_(lock), held_(lock.Lock()) {}
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  ~Locked() {
    if (held_) lock_.Unlock();
  }
  explicit operator bool() const { return held_; }

 private:
  IStoreLock& lock_;
  bool held_;
};

FileFeedStore::FileFeedStore(IFileSystem& files, IStoreLock& lock, IFeedFetcher& fetcher, std::u16string folder,
                             Clock now)
    : files_(files), lock_(lock), fetcher_(fetcher), folder_(std::move(folder)), now_(std::move(now)) {}

int FileFeedStore::ReadIndex(FeedIndex& index) {
  index = FeedIndex{};
  const std::u16string path = folder_ + kFeedIndexFile;
  if (!files_.Exists(path)) return kFileOk;
  std::vector<uint8_t> bytes;
  if (!files_.Read(path, bytes, kMaxStoreFileBytes)) return kFileIoError;
  return ParseFeedIndex(bytes.data(), bytes.size(), index);
}

bool FileFeedStore::ReadItems(uint32_t file, std::vector<StoredItem>& items) {
  items.clear();
  const std::u16string path = folder_ + FeedItemsFileName(file);
  if (!files_.Exists(path)) return true;
  std::vector<uint8_t> bytes;
  return files_.Read(path, bytes, kMaxStoreFileBytes) &&
         ParseFeedItems(bytes.data(), bytes.size(), file, items) == kFileOk;
}

bool FileFeedStore::WriteReplacing(const std::u16string& name, const std::vector<uint8_t>& bytes) {
  if (!files_.CreateFolders(folder_)) return false;
  const std::u16string path = folder_ + name, temp = path + u".tmp";
  auto file = files_.Create(temp, CreateMode::kAlways, nullptr);
  if (!file) return false;
  bool ok = file->Write(bytes.data(), bytes.size());
  ok = file->Commit() && ok;
  file.reset();
  ok = ok && files_.Replace(temp, path);
  if (!ok) files_.Remove(temp);
  return ok;
}

FeedResult FileFeedStore::Change(const std::function<FeedResult(FeedIndex&)>& change) {
  Locked locked(lock_);
  if (!locked) return FeedResult::kFailed;
  FeedIndex index;
  const int read = ReadIndex(index);
  if (read == kFileIoError) return FeedResult::kFailed;
  if (read != kFileOk) {
    // Kept for whoever wants to look at it; the store starts empty.
    const std::u16string path = folder_ + kFeedIndexFile;
    if (!files_.Replace(path, path + u".bad")) return FeedResult::kFailed;
    index = FeedIndex{};
  }
  const FeedResult result = change(index);
  if (result != FeedResult::kOk) return result;
  return WriteReplacing(kFeedIndexFile, SerializeFeedIndex(index)) ? FeedResult::kOk : FeedResult::kFailed;
}

bool FileFeedStore::ListFeeds(std::vector<FeedInfo>& feeds) {
  feeds.clear();
  Locked locked(lock_);
  FeedIndex index;
  if (!locked || ReadIndex(index) != kFileOk) return false;
  for (const FeedRecord& f : index.feeds) feeds.push_back(f.info);
  return true;
}

std::optional<FeedInfo> FileFeedStore::GetFeed(const std::u16string& name) {
  Locked locked(lock_);
  FeedIndex index;
  if (!locked || ReadIndex(index) != kFileOk) return std::nullopt;
  if (const FeedRecord* f = index.Find(name)) return f->info;
  return std::nullopt;
}

std::optional<FeedInfo> FileFeedStore::GetFeedByUrl(const std::u16string& url) {
  Locked locked(lock_);
  FeedIndex index;
  if (!locked || ReadIndex(index) != kFileOk) return std::nullopt;
  for (const FeedRecord& f : index.feeds)
    if (f.info.url == url) return f.info;
  return std::nullopt;
}

FeedResult FileFeedStore::CreateFeed(const std::u16string& name, const std::u16string& url) {
  if (!IsValidFeedName(name)) return FeedResult::kInvalidName;
  if (!IsWebLink(url)) return FeedResult::kFailed;
  return Change([&](FeedIndex& index) {
    if (index.Find(name)) return FeedResult::kExists;
    uint32_t file = index.nextFile;
    while (file == 0 || index.FindFile(file)) ++file;
    index.nextFile = file + 1;
    // A file of that number may be left from an index that was set aside.
    if (!WriteReplacing(FeedItemsFileName(file), SerializeFeedItems(file, {}))) return FeedResult::kFailed;
    FeedRecord record;
    record.file = file;
    record.info.name = name;
    record.info.url = url;
    index.feeds.push_back(std::move(record));
    return FeedResult::kOk;
  });
}

FeedResult FileFeedStore::DeleteFeed(const std::u16string& name) {
  uint32_t file = 0;
  const FeedResult result = Change([&](FeedIndex& index) {
    const FeedRecord* f = index.Find(name);
    if (!f) return FeedResult::kNotFound;
    file = f->file;
    index.feeds.erase(index.feeds.begin() + (f - index.feeds.data()));
    return FeedResult::kOk;
  });
  // The index no longer names the items file; a file left by a failed removal is never read.
  if (result == FeedResult::kOk) files_.Remove(folder_ + FeedItemsFileName(file));
  return result;
}

FeedResult FileFeedStore::RenameFeed(const std::u16string& name, const std::u16string& newName) {
  if (!IsValidFeedName(newName)) return FeedResult::kInvalidName;
  return Change([&](FeedIndex& index) {
    FeedRecord* f = index.Find(name);
    if (!f) return FeedResult::kNotFound;
    const FeedRecord* other = index.Find(newName);
    if (other && other != f) return FeedResult::kExists;
    const std::u16string oldName = f->info.name;
    f->info.name = newName;
    index.AddEvent(kFeedEventRenamed, 0, newName, oldName);
    return FeedResult::kOk;
  });
}

FeedResult FileFeedStore::SetSync(const std::u16string& name, FeedSync sync, uint32_t interval) {
  return Change([&](FeedIndex& index) {
    FeedRecord* f = index.Find(name);
    if (!f) return FeedResult::kNotFound;
    f->info.sync = sync;
    f->info.interval = interval;
    return FeedResult::kOk;
  });
}

bool FileFeedStore::LoadItems(const std::u16string& name, std::vector<StoredItem>& items) {
  FeedIndex index;
  if (ReadIndex(index) != kFileOk) return false;
  const FeedRecord* f = index.Find(name);
  return f && ReadItems(f->file, items);
}

bool FileFeedStore::GetItems(const std::u16string& name, std::vector<FeedItem>& items) {
  items.clear();
  std::vector<StoredItem> stored;
  {
    Locked locked(lock_);
    if (!locked || !LoadItems(name, stored)) return false;
  }
  items.assign(stored.begin(), stored.end());
  return true;
}

std::optional<uint32_t> FileFeedStore::UnreadCount(const std::u16string& name) {
  std::vector<StoredItem> stored;
  Locked locked(lock_);
  if (!locked || !LoadItems(name, stored)) return std::nullopt;
  return static_cast<uint32_t>(std::count_if(stored.begin(), stored.end(), [](const StoredItem& i) { return !i.read; }));
}

bool FileFeedStore::MarkRead(const std::u16string& name, const std::vector<std::u16string>& itemIds) {
  Locked locked(lock_);
  FeedIndex index;
  if (!locked || ReadIndex(index) != kFileOk) return false;
  const FeedRecord* f = index.Find(name);
  std::vector<StoredItem> items;
  if (!f || !ReadItems(f->file, items)) return false;
  const std::unordered_set<std::u16string> ids(itemIds.begin(), itemIds.end());
  bool changed = false;
  for (StoredItem& item : items) {
    if (!item.read && ids.count(item.id)) {
      item.read = true;
      changed = true;
    }
  }
  return !changed || WriteReplacing(FeedItemsFileName(f->file), SerializeFeedItems(f->file, items));
}

uint32_t FileFeedStore::DefaultInterval() {
  Locked locked(lock_);
  FeedIndex index;
  if (locked) ReadIndex(index);
  return index.defaultInterval;
}

bool FileFeedStore::BackgroundSync() {
  Locked locked(lock_);
  FeedIndex index;
  if (locked) ReadIndex(index);
  return index.backgroundSync;
}

bool FileFeedStore::SetBackgroundSync(bool on) {
  return Change([&](FeedIndex& index) {
    index.backgroundSync = on;
    return FeedResult::kOk;
  }) == FeedResult::kOk;
}

int32_t FileFeedStore::Download(const std::u16string& name) {
  std::u16string url;
  uint32_t file = 0;
  {
    Locked locked(lock_);
    FeedIndex index;
    if (!locked || ReadIndex(index) != kFileOk) return kFeedStoreError;
    const FeedRecord* f = index.Find(name);
    if (!f) return kFeedGone;
    url = f->info.url;
    file = f->file;
  }
  // The network is never waited for under the lock.
  ParsedFeed document;
  int32_t error = fetcher_.Fetch(url, document);
  const FeedResult result = Change([&](FeedIndex& index) {
    // Found by its file: the feed may have been renamed meanwhile, but not deleted.
    FeedRecord* f = index.FindFile(file);
    if (!f || f->info.url != url) return FeedResult::kNotFound;
    const int64_t now = now_();
    if (error == kFeedOk) {
      std::vector<StoredItem> items;
      const std::u16string path = folder_ + FeedItemsFileName(file);
      std::vector<uint8_t> bytes;
      if (files_.Exists(path) && !files_.Read(path, bytes, kMaxStoreFileBytes)) {
        error = kFeedStoreError;
      } else {
        // Damaged items are given up: the feed's items start again, unread.
        if (ParseFeedItems(bytes.data(), bytes.size(), file, items) != kFileOk) items.clear();
        if (WriteReplacing(FeedItemsFileName(file), SerializeFeedItems(file, MergeItems(items, document, now)))) {
          f->info.lastSuccess = now;
          if (!document.title.empty()) f->info.title = document.title;
        } else {
          error = kFeedStoreError;
        }
      }
    }
    f->info.lastAttempt = now;
    f->info.lastError = error;
    index.AddEvent(kFeedEventDownloaded, error, f->info.name);
    return FeedResult::kOk;
  });
  if (result == FeedResult::kNotFound) return kFeedGone;
  return result == FeedResult::kOk ? error : kFeedStoreError;
}

bool FileFeedStore::ReadEvents(uint64_t after, std::vector<FeedEvent>& events, uint64_t& newest) {
  events.clear();
  Locked locked(lock_);
  FeedIndex index;
  if (!locked || ReadIndex(index) != kFileOk) return false;
  newest = index.lastEvent;
  for (FeedEvent& e : index.events)
    if (e.number > after) events.push_back(std::move(e));
  return true;
}

bool FileFeedStore::Snapshot(FeedIndex& index) {
  Locked locked(lock_);
  return locked && ReadIndex(index) == kFileOk;
}

void FeedEventPump::Start(FileFeedStore& store) {
  std::vector<FeedEvent> events;
  uint64_t newest = 0;
  if (store.ReadEvents(UINT64_MAX, events, newest)) seen_ = newest;
}

bool FeedEventPump::Deliver(FileFeedStore& store, IFeedEvents& sink) {
  std::vector<FeedEvent> events;
  uint64_t newest = 0;
  if (!store.ReadEvents(seen_, events, newest)) return false;
  if (newest < seen_) {
    // The index was set aside and begun again: its numbers start afresh.
    seen_ = 0;
    if (!store.ReadEvents(0, events, newest)) return false;
  }
  for (const FeedEvent& e : events) {
    if (e.number <= seen_) continue;
    // Counted before the call, so that a delivery started from the sink does not repeat it.
    seen_ = e.number;
    if (e.kind == kFeedEventDownloaded) sink.OnFeedDownloadCompleted(e.name, e.error);
    if (e.kind == kFeedEventRenamed) sink.OnFeedRenamed(e.name, e.oldName);
  }
  seen_ = std::max(seen_, newest);
  return true;
}

}  // namespace zavra
