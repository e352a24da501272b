// Fuzz target of the note index reader: any bytes give a defined result code, and an index
// that reads back is written and read again to the same entries. The checksum is left out of
// the first read, or mutations would hardly ever get past it.
#include <cstdlib>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "store/NoteIndex.h"

namespace zavra {

int FuzzNoteIndex(const uint8_t* data, size_t size) {
  NoteIndexContent index;
  const int result = ParseNoteIndexRecords(data, size, index);
  if (result != kFileOk && result != kFileTruncated && result != kFileForeign) std::abort();
  if (result != kFileOk && !index.entries.empty()) std::abort();
  NoteIndexContent checked;
  const int withSum = ParseNoteIndex(data, size, checked);
  if (withSum == kFileOk && (result != kFileOk || checked.entries != index.entries)) std::abort();
  if (result == kFileOk) {
    const std::vector<uint8_t> written = SerializeNoteIndex(index);
    NoteIndexContent again;
    if (ParseNoteIndex(written.data(), written.size(), again) != kFileOk) std::abort();
    if (again.entries != index.entries || again.lastFullRead != index.lastFullRead) std::abort();
  }
  return 0;
}

}  // namespace zavra

ZAVRA_FUZZ_ENTRY(zavra::FuzzNoteIndex)
