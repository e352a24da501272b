#pragma once
// The category file "%lu.qcf": "QCF", version byte 1, a fifth byte nobody reads, the 116-byte
// fixed part, then the tagged strings name (1), sound (2) and skin (3).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/NoteFile.h"
#include "store/NoteRecord.h"

namespace zavra {

inline constexpr size_t kCategoryHeadSize = 5 + sizeof(NOTE_CATE_FIXED);  // 121

enum CategoryTag : uint16_t { kCateTagName = 1, kCateTagSound = 2, kCateTagSkin = 3 };

// kFileOk, kFileTruncated or kFileForeign.
int ParseCategoryFile(const uint8_t* data, size_t size, NOTE_CATE& cate);

bool SerializeCategory(const NOTE_CATE& cate, std::vector<uint8_t>& out);

}  // namespace zavra
