#pragma once
// The note file "%lu.qnf": "QNF", u16 version 1, the 176-byte fixed part, then tagged records.
// Parsing works on bytes in memory so that damaged and hostile files can be fuzzed.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/NoteRecord.h"

namespace zavra {

// Result codes shared by the file routines of the store.
enum FileResult : int {
  kFileOk = 0,
  kFileFiltered = -1,
  kFileTruncated = -2,
  kFileForeign = -3,   // wrong magic or version
  kFileIoError = -4,   // cannot open, read or write
};

inline constexpr size_t kNoteHeaderSize = 5;
inline constexpr size_t kNoteHeadSize = kNoteHeaderSize + sizeof(NOTE_PAD_FIXED);  // 181

enum NoteTag : uint16_t { kTagText = 1, kTagLink = 2, kTagExcludes = 3, kTagSound = 4, kTagSkin = 5 };

// Which notes a scan wants. Every part is optional.
struct NoteFilter {
  uint32_t requiredFlags = 0;  // all of these must be set
  uint16_t category = 0;       // 0 = any
  bool useRange = false;
  int64_t rangeFrom = 0;
  int64_t rangeTo = 0;
};

// A scheduled note overlaps [from, to] when its first occurrence is not after `to` and its last
// one (none for open-ended recurring notes) not before `from`; an unscheduled one when created
// lies within the range. The schedule model's OverlapsRange in the machine's zone (0 leaves
// that side of the range open).
bool NoteOverlaps(const NOTE_PAD_FIXED& note, int64_t from, int64_t to);
bool NotePassesFilter(const NOTE_PAD_FIXED& note, const NoteFilter& filter);

// Header and fixed part only: kFileOk, kFileTruncated or kFileForeign.
int ParseNoteHead(const uint8_t* data, size_t size, NOTE_PAD_FIXED& fixed);

// A whole note file. With a filter, a rejected note gives kFileFiltered and only its fixed part.
int ParseNoteFile(const uint8_t* data, size_t size, NOTE_PAD& note, const NoteFilter* filter = nullptr);

// The file bytes of a note, records in the order 1, 2, 4, 5, 3. False only for a string or
// list too long for a record length.
bool SerializeNote(const NOTE_PAD& note, std::vector<uint8_t>& out);

}  // namespace zavra
