// Fuzz target of the category file reader: any bytes give one of the defined result codes, and
// a category that reads back survives writing and reading again.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "store/CategoryFile.h"

namespace zavra {

int FuzzCategoryFile(const uint8_t* data, size_t size) {
  NOTE_CATE cate;
  const int result = ParseCategoryFile(data, size, cate);
  if (result != kFileOk && result != kFileTruncated && result != kFileForeign) std::abort();
  if (result == kFileOk) {
    std::vector<uint8_t> written;
    if (!SerializeCategory(cate, written)) std::abort();
    NOTE_CATE again;
    if (ParseCategoryFile(written.data(), written.size(), again) != kFileOk) std::abort();
    if (again.name != cate.name || again.sound != cate.sound || again.skin != cate.skin) std::abort();
    if (std::memcmp(static_cast<NOTE_CATE_FIXED*>(&again), static_cast<NOTE_CATE_FIXED*>(&cate), sizeof(NOTE_CATE_FIXED)))
      std::abort();
  }
  return 0;
}

}  // namespace zavra

ZAVRA_FUZZ_ENTRY(zavra::FuzzCategoryFile)
