#include "store/NoteFile.h"

#include <cstring>

#include "schedule/Recurrence.h"
#include "store/ByteIo.h"

namespace zavra {

namespace {

constexpr uint8_t kNoteMagic[kNoteHeaderSize] = {'Q', 'N', 'F', 0x01, 0x00};

}  // namespace

// The schedule's own rule: raw sums of day start and time of day would differ from it by the
// hour a clock change adds or removes, and the pad and calendar list what the filter keeps.
bool NoteOverlaps(const NOTE_PAD_FIXED& note, int64_t from, int64_t to) { return OverlapsRange(note, from, to); }

bool NotePassesFilter(const NOTE_PAD_FIXED& note, const NoteFilter& filter) {
  if ((note.flags & filter.requiredFlags) != filter.requiredFlags) return false;
  if (filter.category != 0 && note.category != filter.category) return false;
  if (filter.useRange && !NoteOverlaps(note, filter.rangeFrom, filter.rangeTo)) return false;
  return true;
}

int ParseNoteHead(const uint8_t* data, size_t size, NOTE_PAD_FIXED& fixed) {
  // Whatever part of the header is present must match before shortness counts.
  const size_t header = size < kNoteHeaderSize ? size : kNoteHeaderSize;
  if (header != 0 && std::memcmp(data, kNoteMagic, header) != 0) return kFileForeign;
  if (size < kNoteHeadSize) return kFileTruncated;
  std::memcpy(&fixed, data + kNoteHeaderSize, sizeof fixed);
  return kFileOk;
}

int ParseNoteFile(const uint8_t* data, size_t size, NOTE_PAD& note, const NoteFilter* filter) {
  note = NOTE_PAD{};
  const int head = ParseNoteHead(data, size, note);
  if (head != kFileOk) return head;
  if (filter && !NotePassesFilter(note, *filter)) return kFileFiltered;
  return bytes::ForEachRecord(data + kNoteHeadSize, size - kNoteHeadSize,
                              [&](uint16_t tag, const uint8_t* p, uint32_t length) {
    switch (tag) {
      case kTagText: note.text = bytes::Utf16(p, length); break;
      case kTagLink: note.link = bytes::Utf16(p, length); break;
      case kTagSound: note.sound = bytes::Utf16(p, length); break;
      case kTagSkin: note.skin = bytes::Utf16(p, length); break;
      case kTagExcludes:
        note.excludes.resize(length / 4);
        for (size_t i = 0; i < note.excludes.size(); ++i) note.excludes[i] = bytes::U32(p + 4 * i);
        break;
      default: break;  // a later version's record
    }
  });
}

bool SerializeNote(const NOTE_PAD& note, std::vector<uint8_t>& out) {
  out.clear();
  out.insert(out.end(), kNoteMagic, kNoteMagic + kNoteHeaderSize);
  const auto* fixed = reinterpret_cast<const uint8_t*>(static_cast<const NOTE_PAD_FIXED*>(&note));
  out.insert(out.end(), fixed, fixed + sizeof(NOTE_PAD_FIXED));
  bool ok = bytes::PutString(out, kTagText, note.text) && bytes::PutString(out, kTagLink, note.link) &&
            bytes::PutString(out, kTagSound, note.sound) && bytes::PutString(out, kTagSkin, note.skin);
  if (ok && (note.flags & kNoteScheduled) && !note.excludes.empty()) {
    if (note.excludes.size() > UINT32_MAX / 4) return false;
    std::vector<uint8_t> keys;
    keys.reserve(note.excludes.size() * 4);
    for (uint32_t key : note.excludes) bytes::PutU32(keys, key);
    ok = bytes::PutRecord(out, kTagExcludes, keys.data(), keys.size());
  }
  return ok;
}

}  // namespace zavra
