#include "feeds/FeedFiles.h"

#include <cstring>
#include <string>

#include "feeds/FeedNames.h"
#include "store/ByteIo.h"
#include "store/NoteFile.h"

namespace zavra {

namespace {

constexpr size_t kHeaderSize = 5;
constexpr uint8_t kIndexMagic[kHeaderSize] = {'Q', 'F', 'S', 0x01, 0x00};
constexpr uint8_t kItemsMagic[kHeaderSize] = {'Q', 'F', 'I', 0x01, 0x00};
constexpr size_t kIndexFixed = 24;
constexpr size_t kItemsFixed = 8;
constexpr size_t kFeedFixed = 32;
constexpr size_t kEventFixed = 16;
constexpr size_t kItemFixed = 16;

enum IndexTag : uint16_t { kTagFeed = 1, kTagEvent = 2 };
enum FeedTag : uint16_t { kTagFeedName = 1, kTagFeedUrl = 2, kTagFeedTitle = 3 };
enum EventTag : uint16_t { kTagEventName = 1, kTagEventOldName = 2 };
enum ItemsTag : uint16_t { kTagItem = 1 };
enum ItemTag : uint16_t { kTagItemId = 1, kTagItemTitle = 2, kTagItemLink = 3 };
enum ItemFlag : uint32_t { kItemRead = 1 };

uint64_t U64(const uint8_t* p) { return bytes::U32(p) | static_cast<uint64_t>(bytes::U32(p + 4)) << 32; }
void PutU64(std::vector<uint8_t>& out, uint64_t v) {
  bytes::PutU32(out, static_cast<uint32_t>(v));
  bytes::PutU32(out, static_cast<uint32_t>(v >> 32));
}

// Whatever part of the header is present must match before shortness counts.
int CheckHead(const uint8_t* data, size_t size, const uint8_t (&magic)[kHeaderSize], size_t fixed) {
  const size_t header = size < kHeaderSize ? size : kHeaderSize;
  if (header != 0 && std::memcmp(data, magic, header) != 0) return kFileForeign;
  return size < kHeaderSize + fixed ? kFileTruncated : kFileOk;
}

// A record holding a fixed part and tagged records of its own.
template <typename OnField>
int ForEachField(const uint8_t* p, uint32_t length, size_t fixed, OnField&& onField) {
  if (length < fixed) return kFileTruncated;
  return bytes::ForEachRecord(p + fixed, length - fixed, onField);
}

void PutNested(std::vector<uint8_t>& out, uint16_t tag, const std::vector<uint8_t>& body) {
  bytes::PutRecord(out, tag, body.data(), body.size());
}

}  // namespace

FeedRecord* FeedIndex::Find(const std::u16string& name) {
  for (FeedRecord& f : feeds)
    if (SameFeedName(f.info.name, name)) return &f;
  return nullptr;
}

FeedRecord* FeedIndex::FindFile(uint32_t file) {
  for (FeedRecord& f : feeds)
    if (f.file == file) return &f;
  return nullptr;
}

void FeedIndex::AddEvent(uint32_t kind, int32_t error, const std::u16string& name, const std::u16string& oldName) {
  events.push_back({++lastEvent, kind, error, name, oldName});
  if (events.size() > kKeptFeedEvents) events.erase(events.begin(), events.end() - kKeptFeedEvents);
}

int ParseFeedIndex(const uint8_t* data, size_t size, FeedIndex& index) {
  index = FeedIndex{};
  const int head = CheckHead(data, size, kIndexMagic, kIndexFixed);
  if (head != kFileOk) return head;
  const uint8_t* fixed = data + kHeaderSize;
  index.defaultInterval = bytes::U32(fixed);
  index.backgroundSync = (bytes::U32(fixed + 4) & 1) != 0;
  index.nextFile = bytes::U32(fixed + 8);
  index.lastEvent = U64(fixed + 16);
  int inner = kFileOk;
  const int outer = bytes::ForEachRecord(
      fixed + kIndexFixed, size - kHeaderSize - kIndexFixed, [&](uint16_t tag, const uint8_t* p, uint32_t length) {
        if (tag == kTagFeed) {
          FeedRecord f;
          if (length >= kFeedFixed) {
            f.file = bytes::U32(p);
            const uint32_t sync = bytes::U32(p + 4);
            f.info.sync = sync <= 2 ? static_cast<FeedSync>(sync) : FeedSync::kDefault;
            f.info.interval = bytes::U32(p + 8);
            f.info.lastError = static_cast<int32_t>(bytes::U32(p + 12));
            f.info.lastAttempt = static_cast<int64_t>(U64(p + 16));
            f.info.lastSuccess = static_cast<int64_t>(U64(p + 24));
          }
          const int r = ForEachField(p, length, kFeedFixed, [&](uint16_t field, const uint8_t* q, uint32_t n) {
            if (field == kTagFeedName) f.info.name = bytes::Utf16(q, n);
            if (field == kTagFeedUrl) f.info.url = bytes::Utf16(q, n);
            if (field == kTagFeedTitle) f.info.title = bytes::Utf16(q, n);
          });
          if (r != kFileOk) inner = r;
          // A feed without a usable name, or a second one of a name or file, cannot be told apart.
          if (r == kFileOk && IsValidFeedName(f.info.name) && !index.Find(f.info.name) && !index.FindFile(f.file))
            index.feeds.push_back(std::move(f));
        } else if (tag == kTagEvent) {
          FeedEvent e;
          if (length >= kEventFixed) {
            e.number = U64(p);
            e.kind = bytes::U32(p + 8);
            e.error = static_cast<int32_t>(bytes::U32(p + 12));
          }
          const int r = ForEachField(p, length, kEventFixed, [&](uint16_t field, const uint8_t* q, uint32_t n) {
            if (field == kTagEventName) e.name = bytes::Utf16(q, n);
            if (field == kTagEventOldName) e.oldName = bytes::Utf16(q, n);
          });
          if (r != kFileOk) inner = r;
          if (r == kFileOk && index.events.size() < kKeptFeedEvents) index.events.push_back(std::move(e));
        }
      });
  if (outer != kFileOk) return outer;
  if (inner != kFileOk) return inner;
  // New files never reuse the number of a listed feed.
  for (const FeedRecord& f : index.feeds)
    if (f.file >= index.nextFile) index.nextFile = f.file == UINT32_MAX ? 1 : f.file + 1;
  if (index.nextFile == 0) index.nextFile = 1;
  return kFileOk;
}

std::vector<uint8_t> SerializeFeedIndex(const FeedIndex& index) {
  std::vector<uint8_t> out(kIndexMagic, kIndexMagic + kHeaderSize);
  bytes::PutU32(out, index.defaultInterval);
  bytes::PutU32(out, index.backgroundSync ? 1u : 0u);
  bytes::PutU32(out, index.nextFile);
  bytes::PutU32(out, 0);
  PutU64(out, index.lastEvent);
  for (const FeedRecord& f : index.feeds) {
    std::vector<uint8_t> body;
    bytes::PutU32(body, f.file);
    bytes::PutU32(body, static_cast<uint32_t>(f.info.sync));
    bytes::PutU32(body, f.info.interval);
    bytes::PutU32(body, static_cast<uint32_t>(f.info.lastError));
    PutU64(body, static_cast<uint64_t>(f.info.lastAttempt));
    PutU64(body, static_cast<uint64_t>(f.info.lastSuccess));
    bytes::PutString(body, kTagFeedName, f.info.name);
    bytes::PutString(body, kTagFeedUrl, f.info.url);
    bytes::PutString(body, kTagFeedTitle, f.info.title);
    PutNested(out, kTagFeed, body);
  }
  for (const FeedEvent& e : index.events) {
    std::vector<uint8_t> body;
    PutU64(body, e.number);
    bytes::PutU32(body, e.kind);
    bytes::PutU32(body, static_cast<uint32_t>(e.error));
    bytes::PutString(body, kTagEventName, e.name);
    bytes::PutString(body, kTagEventOldName, e.oldName);
    PutNested(out, kTagEvent, body);
  }
  return out;
}

int ParseFeedItems(const uint8_t* data, size_t size, uint32_t file, std::vector<StoredItem>& items) {
  items.clear();
  const int head = CheckHead(data, size, kItemsMagic, kItemsFixed);
  if (head != kFileOk) return head;
  if (bytes::U32(data + kHeaderSize) != file) return kFileForeign;
  int inner = kFileOk;
  const int outer = bytes::ForEachRecord(
      data + kHeaderSize + kItemsFixed, size - kHeaderSize - kItemsFixed,
      [&](uint16_t tag, const uint8_t* p, uint32_t length) {
        if (tag != kTagItem) return;
        StoredItem item;
        if (length >= kItemFixed) {
          item.read = (bytes::U32(p) & kItemRead) != 0;
          item.firstSeen = static_cast<int64_t>(U64(p + 8));
        }
        const int r = ForEachField(p, length, kItemFixed, [&](uint16_t field, const uint8_t* q, uint32_t n) {
          if (field == kTagItemId) item.id = bytes::Utf16(q, n);
          if (field == kTagItemTitle) item.title = bytes::Utf16(q, n);
          if (field == kTagItemLink) item.link = bytes::Utf16(q, n);
        });
        if (r != kFileOk) inner = r;
        if (r == kFileOk && !item.id.empty() && items.size() < kMaxStoredItems) items.push_back(std::move(item));
      });
  return outer != kFileOk ? outer : inner;
}

std::vector<uint8_t> SerializeFeedItems(uint32_t file, const std::vector<StoredItem>& items) {
  std::vector<uint8_t> out(kItemsMagic, kItemsMagic + kHeaderSize);
  bytes::PutU32(out, file);
  bytes::PutU32(out, 0);
  for (const StoredItem& item : items) {
    std::vector<uint8_t> body;
    bytes::PutU32(body, item.read ? kItemRead : 0u);
    bytes::PutU32(body, 0);
    PutU64(body, static_cast<uint64_t>(item.firstSeen));
    bytes::PutString(body, kTagItemId, item.id);
    bytes::PutString(body, kTagItemTitle, item.title);
    bytes::PutString(body, kTagItemLink, item.link);
    PutNested(out, kTagItem, body);
  }
  return out;
}

std::u16string FeedItemsFileName(uint32_t file) {
  const std::string digits = std::to_string(file);
  std::u16string name(digits.begin(), digits.end());
  return name + kFeedItemsExtension;
}

}  // namespace zavra
