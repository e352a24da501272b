#include "store/NoteIndex.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <unordered_set>
#include <utility>

#include "store/ByteIo.h"
#include "store/NoteStore.h"
#include "store/NoteText.h"
#include "store/StoreNames.h"

namespace zavra {

namespace {

constexpr uint8_t kIndexMagic[kNoteHeaderSize] = {'Q', 'N', 'I', 0x01, 0x00};
constexpr size_t kIndexFixedSize = 16;  // u32 entry count, u32 reserved, i64 last full read
constexpr uint16_t kTagEntry = 1;
constexpr uint16_t kTagEnd = 0xFFFF;  // u64 checksum of every byte before this record
constexpr size_t kEntryFixedSize = 32 + sizeof(NOTE_PAD_FIXED);
constexpr size_t kMaxNameChars = 64;

enum EntryFlag : uint32_t { kEntryHasLink = 1, kEntryTitleCut = 2 };

// Catches a damaged or partly written index, not a forged one; word at a time, so that reading
// the index stays a small part of a start.
uint64_t Checksum(const uint8_t* data, size_t size) {
  uint64_t h = 0xCBF29CE484222325ull;
  size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    uint64_t word;
    std::memcpy(&word, data + at, 8);
    h = (h ^ word) * 0x100000001B3ull;
    h ^= h >> 29;
  }
  for (; at < size; ++at) h = (h ^ data[at]) * 0x100000001B3ull;
  return h;
}

void PutU64(std::vector<uint8_t>& out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
uint64_t U64(const uint8_t* p) { return bytes::U32(p) | static_cast<uint64_t>(bytes::U32(p + 4)) << 32; }

void PutChars(std::vector<uint8_t>& out, const std::u16string& s) {
  for (char16_t c : s) bytes::PutU16(out, static_cast<uint16_t>(c));
}

bool KnownResult(int result) { return result == kFileOk || result == kFileTruncated || result == kFileForeign; }

bool ParseEntry(const uint8_t* p, uint32_t length, NoteIndexEntry& e) {
  if (length < kEntryFixedSize) return false;
  const uint32_t flags = bytes::U32(p);
  e.result = static_cast<int32_t>(bytes::U32(p + 4));
  e.stamp.size = U64(p + 8);
  e.stamp.writeTime = static_cast<int64_t>(U64(p + 16));
  const size_t nameChars = bytes::U16(p + 24), titleChars = bytes::U16(p + 26);
  const size_t excludes = bytes::U32(p + 28);
  if (!KnownResult(e.result) || nameChars == 0 || nameChars > kMaxNameChars || titleChars > kSummaryTitleChars ||
      excludes > length / 4)
    return false;
  if (length != kEntryFixedSize + 2 * nameChars + 2 * titleChars + 4 * excludes) return false;
  std::memcpy(&e.note.fixed, p + 32, sizeof(NOTE_PAD_FIXED));
  const uint8_t* at = p + kEntryFixedSize;
  e.name = bytes::Utf16(at, static_cast<uint32_t>(2 * nameChars));
  at += 2 * nameChars;
  e.note.title = bytes::Utf16(at, static_cast<uint32_t>(2 * titleChars));
  at += 2 * titleChars;
  e.note.excludes.resize(excludes);
  for (size_t i = 0; i < excludes; ++i) e.note.excludes[i] = bytes::U32(at + 4 * i);
  e.note.hasLink = flags & kEntryHasLink;
  e.note.titleCut = flags & kEntryTitleCut;
  const auto id = StoreFileId(e.name, StoreKind::kNote);
  if (!id) return false;
  e.note.fixed.id = *id;
  return true;
}

int Parse(const uint8_t* data, size_t size, NoteIndexContent& out, bool checkSum) {
  out = NoteIndexContent{};
  const size_t header = std::min(size, kNoteHeaderSize);
  if (header != 0 && std::memcmp(data, kIndexMagic, header) != 0) return kFileForeign;
  if (size < kNoteHeaderSize + kIndexFixedSize) return kFileTruncated;
  const uint32_t count = bytes::U32(data + kNoteHeaderSize);
  out.lastFullRead = static_cast<int64_t>(U64(data + kNoteHeaderSize + 8));
  const size_t first = kNoteHeaderSize + kIndexFixedSize;
  out.entries.reserve(std::min<size_t>(count, (size - first) / (8 + kEntryFixedSize)));
  std::unordered_set<uint32_t> ids;
  ids.reserve(out.entries.capacity());
  bool ended = false, bad = false;
  size_t endAt = 0;
  const int walked = bytes::ForEachRecord(data + first, size - first, [&](uint16_t tag, const uint8_t* p,
                                                                            uint32_t length) {
    if (ended || bad) {
      bad = true;  // nothing may follow the closing record
      return;
    }
    if (tag == kTagEntry) {
      NoteIndexEntry e;
      if (!ParseEntry(p, length, e) || !ids.insert(e.note.fixed.id).second) {
        bad = true;
        return;
      }
      out.entries.push_back(std::move(e));
    } else if (tag == kTagEnd) {
      ended = true;
      endAt = static_cast<size_t>(p - data) - 8;
      bad = length != 8 || (checkSum && U64(p) != Checksum(data, endAt));
    }
  });
  if (walked != kFileOk || !ended) {
    out = NoteIndexContent{};
    return kFileTruncated;
  }
  if (bad || out.entries.size() != count) {
    out = NoteIndexContent{};
    return kFileForeign;
  }
  return kFileOk;
}

}  // namespace

bool NoteSummary::operator==(const NoteSummary& other) const {
  return std::memcmp(&fixed, &other.fixed, sizeof fixed) == 0 && title == other.title &&
         titleCut == other.titleCut && hasLink == other.hasLink && excludes == other.excludes;
}

NOTE_PAD NoteSummary::ScheduleRecord() const {
  NOTE_PAD note;
  static_cast<NOTE_PAD_FIXED&>(note) = fixed;
  note.excludes = excludes;
  return note;
}

NoteSummary SummarizeNote(const NOTE_PAD& note) {
  NoteSummary out;
  out.fixed = note;
  out.title = FirstLine(note.text);
  if (out.title.size() > kSummaryTitleChars) {
    out.title.resize(kSummaryTitleChars);
    out.titleCut = true;
  }
  out.hasLink = !note.link.empty();
  if (note.flags & kNoteScheduled) out.excludes = note.excludes;
  return out;
}

int SummarizeNoteFile(const uint8_t* data, size_t size, NoteSummary& out) {
  out = NoteSummary{};
  NOTE_PAD note;
  const int result = ParseNoteFile(data, size, note);
  if (result == kFileOk) out = SummarizeNote(note);
  return result;
}

std::vector<uint8_t> SerializeNoteIndex(const NoteIndexContent& index) {
  std::vector<uint8_t> out;
  size_t estimate = kNoteHeaderSize + kIndexFixedSize + 16;
  for (const NoteIndexEntry& e : index.entries)
    estimate += 8 + kEntryFixedSize + 2 * (e.name.size() + e.note.title.size()) + 4 * e.note.excludes.size();
  out.assign(kIndexMagic, kIndexMagic + kNoteHeaderSize);
  out.reserve(estimate);
  size_t count = 0;
  bytes::PutU32(out, 0);  // the count, filled in below
  bytes::PutU32(out, 0);
  PutU64(out, static_cast<uint64_t>(index.lastFullRead));
  for (const NoteIndexEntry& e : index.entries) {
    // What the reader would refuse is left out; its file is simply read at the next start.
    if (e.name.empty() || e.name.size() > kMaxNameChars || !StoreFileId(e.name, StoreKind::kNote) ||
        e.note.title.size() > kSummaryTitleChars || !KnownResult(e.result) || e.note.excludes.size() > UINT32_MAX / 8)
      continue;
    const size_t length =
        kEntryFixedSize + 2 * e.name.size() + 2 * e.note.title.size() + 4 * e.note.excludes.size();
    if (length > UINT32_MAX) continue;
    bytes::PutU16(out, kTagEntry);
    bytes::PutU16(out, 0);
    bytes::PutU32(out, static_cast<uint32_t>(length));
    bytes::PutU32(out, (e.note.hasLink ? uint32_t{kEntryHasLink} : 0u) | (e.note.titleCut ? uint32_t{kEntryTitleCut} : 0u));
    bytes::PutU32(out, static_cast<uint32_t>(e.result));
    PutU64(out, e.stamp.size);
    PutU64(out, static_cast<uint64_t>(e.stamp.writeTime));
    bytes::PutU16(out, static_cast<uint16_t>(e.name.size()));
    bytes::PutU16(out, static_cast<uint16_t>(e.note.title.size()));
    bytes::PutU32(out, static_cast<uint32_t>(e.note.excludes.size()));
    const auto* fixed = reinterpret_cast<const uint8_t*>(&e.note.fixed);
    out.insert(out.end(), fixed, fixed + sizeof(NOTE_PAD_FIXED));
    PutChars(out, e.name);
    PutChars(out, e.note.title);
    for (uint32_t key : e.note.excludes) bytes::PutU32(out, key);
    ++count;
  }
  for (int i = 0; i < 4; ++i) out[kNoteHeaderSize + i] = static_cast<uint8_t>(count >> (8 * i));
  const uint64_t sum = Checksum(out.data(), out.size());
  bytes::PutU16(out, kTagEnd);
  bytes::PutU16(out, 0);
  bytes::PutU32(out, 8);
  PutU64(out, sum);
  return out;
}

int ParseNoteIndex(const uint8_t* data, size_t size, NoteIndexContent& out) { return Parse(data, size, out, true); }

int ParseNoteIndexRecords(const uint8_t* data, size_t size, NoteIndexContent& out) {
  return Parse(data, size, out, false);
}

namespace {

// Reads one listed note file whole; false when it cannot be read now (it is tried again later).
bool ReadEntry(IFileSystem& files, const std::u16string& path, std::vector<uint8_t>& buffer, NoteIndexEntry& e) {
  if (!files.Read(path, buffer, kMaxStoreFileBytes + 1) || buffer.size() > kMaxStoreFileBytes) return false;
  const uint32_t id = e.note.fixed.id;
  e.result = SummarizeNoteFile(buffer.data(), buffer.size(), e.note);
  e.note.fixed.id = id;
  return true;
}

struct Listed {
  std::u16string name;
  FileStamp stamp;
  uint32_t id;
};

std::vector<Listed> ListNoteFiles(IFileSystem& files, const std::u16string& folder) {
  std::vector<Listed> listed;
  files.ListStamped(folder, kNoteExtension, [&](const std::u16string& name, const FileStamp& stamp) {
    if (const auto id = StoreFileId(name, StoreKind::kNote)) listed.push_back({name, stamp, *id});
  });
  return listed;
}

}  // namespace

NoteFolderRead ReadNoteFolder(IFileSystem& files, const std::u16string& folder, const std::atomic<bool>& stop) {
  NoteFolderRead read;
  std::vector<uint8_t> buffer;
  std::u16string path;
  for (Listed& file : ListNoteFiles(files, folder)) {
    if (stop.load(std::memory_order_relaxed)) return read;
    NoteIndexEntry e;
    e.note.fixed.id = file.id;
    path.assign(folder).append(file.name);
    if (!ReadEntry(files, path, buffer, e)) continue;
    e.name = std::move(file.name);
    e.stamp = file.stamp;
    read.entries.push_back(std::move(e));
  }
  read.complete = true;
  return read;
}

NoteIndex::NoteIndex(FileClock clock) : clock_(std::move(clock)) {}

bool NoteIndex::Load(const uint8_t* data, size_t size) {
  slots_.clear();
  order_.clear();
  lastFullRead_ = 0;
  NoteIndexContent content;
  if (ParseNoteIndex(data, size, content) != kFileOk) {
    dirty_ = true;
    return false;
  }
  lastFullRead_ = content.lastFullRead;
  slots_.reserve(content.entries.size());
  order_.reserve(content.entries.size());
  for (NoteIndexEntry& e : content.entries) {
    const uint32_t id = e.note.fixed.id;
    order_.push_back(id);
    slots_[id] = Slot{std::move(e), true};
  }
  dirty_ = false;
  return true;
}

NoteIndex::RefreshResult NoteIndex::Refresh(IFileSystem& files, const std::u16string& folder,
                                            std::vector<uint8_t>& buffer) {
  RefreshResult result;
  // Taken before anything is listed: a file written after it gets a later time.
  const int64_t certainBefore = clock_() - kStampUncertainTicks;
  const uint32_t pass = ++pass_;
  std::vector<uint32_t> order;
  order.reserve(slots_.size() + 16);
  std::vector<Listed> changed;
  std::unordered_set<uint32_t> changedIds;
  // Most files match their entry; those cost a lookup and nothing else.
  files.ListStamped(folder, kNoteExtension, [&](const std::u16string& name, const FileStamp& stamp) {
    const auto id = StoreFileId(name, StoreKind::kNote);
    if (!id) return;
    ++result.listed;
    auto it = slots_.find(*id);
    if (it != slots_.end()) {
      Slot& slot = it->second;
      if (slot.pass == pass) return;  // the same id again, in another case
      if (slot.trusted && slot.entry.stamp == stamp && slot.entry.name == name) {
        slot.pass = pass;
        order.push_back(*id);
        return;
      }
      slot.pass = 0;
    }
    if (!changedIds.insert(*id).second) return;
    order.push_back(*id);
    changed.push_back({name, stamp, *id});
  });
  std::u16string path;
  for (Listed& file : changed) {
    ++result.read;
    dirty_ = true;
    Slot slot;
    slot.entry.note.fixed.id = file.id;
    path.assign(folder).append(file.name);
    if (!ReadEntry(files, path, buffer, slot.entry)) continue;  // skipped, as scans always did
    slot.entry.name = std::move(file.name);
    slot.entry.stamp = file.stamp;
    slot.trusted = file.stamp.writeTime < certainBefore;
    slot.pass = pass;
    slots_[file.id] = std::move(slot);
  }
  // Gone from the folder, or no longer readable.
  const auto current = [&](uint32_t id) {
    auto it = slots_.find(id);
    return it != slots_.end() && it->second.pass == pass;
  };
  order.erase(std::remove_if(order.begin(), order.end(), [&](uint32_t id) { return !current(id); }), order.end());
  if (order.size() != slots_.size()) {
    dirty_ = true;
    for (auto it = slots_.begin(); it != slots_.end();) it = it->second.pass == pass ? std::next(it) : slots_.erase(it);
  }
  order_ = std::move(order);
  return result;
}

void NoteIndex::Forget(uint32_t id) {
  auto it = slots_.find(id);
  if (it == slots_.end()) return;
  it->second.trusted = false;
  dirty_ = true;
}

void NoteIndex::ForEach(const std::function<void(const NoteIndexEntry&)>& onEntry) const {
  for (uint32_t id : order_) {
    auto it = slots_.find(id);
    if (it != slots_.end()) onEntry(it->second.entry);
  }
}

std::vector<NoteIndexEntry> NoteIndex::MergeFullRead(const NoteFolderRead& read) {
  std::vector<NoteIndexEntry> changed;
  for (const NoteIndexEntry& fresh : read.entries) {
    auto it = slots_.find(fresh.note.fixed.id);
    if (it == slots_.end()) continue;
    NoteIndexEntry& known = it->second.entry;
    if (known.name != fresh.name || !(known.stamp == fresh.stamp)) continue;
    if (known.result == fresh.result && known.note == fresh.note) continue;
    known = fresh;
    // Read again at the next refresh, which decides whether its time can be trusted.
    it->second.trusted = false;
    dirty_ = true;
    changed.push_back(fresh);
  }
  return changed;
}

void NoteIndex::SetLastFullRead(int64_t when) {
  if (lastFullRead_ == when) return;
  lastFullRead_ = when;
  dirty_ = true;
}

NoteIndexContent NoteIndex::Content() const {
  NoteIndexContent content;
  content.lastFullRead = lastFullRead_;
  content.entries.reserve(order_.size());
  for (uint32_t id : order_) {
    auto it = slots_.find(id);
    if (it != slots_.end() && it->second.trusted) content.entries.push_back(it->second.entry);
  }
  return content;
}

}  // namespace zavra
