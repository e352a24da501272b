#pragma once
// The files of the feed store; feeds/README.md describes their layout. Parsing works on bytes
// in memory so that damaged and hostile files can be fuzzed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "feeds/FeedItems.h"
#include "feeds/FeedStore.h"

namespace zavra {

inline constexpr char16_t kFeedIndexFile[] = u"feeds.qfs";
inline constexpr char16_t kFeedItemsExtension[] = u".qfi";
// The index keeps this many of the newest events for the programs that watch the store.
inline constexpr size_t kKeptFeedEvents = 32;

enum FeedEventKind : uint32_t { kFeedEventDownloaded = 1, kFeedEventRenamed = 2 };

struct FeedEvent {
  uint64_t number = 0;
  uint32_t kind = 0;
  int32_t error = 0;
  std::u16string name;
  std::u16string oldName;
  bool operator==(const FeedEvent&) const = default;
};

struct FeedRecord {
  uint32_t file = 0;  // its items are in "<file>.qfi"
  FeedInfo info;
};

struct FeedIndex {
  uint32_t defaultInterval = 1440;
  bool backgroundSync = true;
  uint32_t nextFile = 1;
  uint64_t lastEvent = 0;
  std::vector<FeedRecord> feeds;
  std::vector<FeedEvent> events;  // oldest first

  FeedRecord* Find(const std::u16string& name);
  FeedRecord* FindFile(uint32_t file);
  // Records an event, forgetting the oldest beyond kKeptFeedEvents.
  void AddEvent(uint32_t kind, int32_t error, const std::u16string& name, const std::u16string& oldName = {});
};

// 0, -2 truncated, or -3 not an index of this version (the FileResult codes of the store).
int ParseFeedIndex(const uint8_t* data, size_t size, FeedIndex& index);
std::vector<uint8_t> SerializeFeedIndex(const FeedIndex& index);

// The items file of feed `file`: 0, -2, or -3 (also when it belongs to another feed).
int ParseFeedItems(const uint8_t* data, size_t size, uint32_t file, std::vector<StoredItem>& items);
std::vector<uint8_t> SerializeFeedItems(uint32_t file, const std::vector<StoredItem>& items);

std::u16string FeedItemsFileName(uint32_t file);

}  // namespace zavra
