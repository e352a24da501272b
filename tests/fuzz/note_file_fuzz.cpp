// Fuzz target of the note file reader: any bytes give one of the defined result codes, and a
// note that reads back is written and read again to the same record.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "store/NoteFile.h"

namespace zavra {

int FuzzNoteFile(const uint8_t* data, size_t size) {
  // The filter comes from the first bytes so that rejected paths are exercised too.
  NoteFilter filter;
  if (size > 0 && (data[0] & 1)) {
    filter.requiredFlags = size > 1 ? data[1] & 0x0F : 0;
    filter.category = size > 2 ? data[2] & 3 : 0;
    filter.useRange = size > 3 && (data[3] & 1);
    filter.rangeFrom = 0;
    filter.rangeTo = int64_t{1} << 40;
  }
  NOTE_PAD note;
  const int result = ParseNoteFile(data, size, note, (size > 0 && (data[0] & 1)) ? &filter : nullptr);
  if (result != kFileOk && result != kFileFiltered && result != kFileTruncated && result != kFileForeign) std::abort();
  NOTE_PAD_FIXED head;
  const int headResult = ParseNoteHead(data, size, head);
  if ((result == kFileForeign) != (headResult == kFileForeign)) std::abort();
  if (result == kFileOk) {
    std::vector<uint8_t> written;
    if (!SerializeNote(note, written)) std::abort();
    NOTE_PAD again;
    if (ParseNoteFile(written.data(), written.size(), again) != kFileOk) std::abort();
    if (again.text != note.text || again.link != note.link || again.sound != note.sound || again.skin != note.skin)
      std::abort();
    if (std::memcmp(static_cast<NOTE_PAD_FIXED*>(&again), static_cast<NOTE_PAD_FIXED*>(&note), sizeof(NOTE_PAD_FIXED)))
      std::abort();
  }
  return 0;
}

}  // namespace zavra

ZAVRA_FUZZ_ENTRY(zavra::FuzzNoteFile)
