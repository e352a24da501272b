#include "store/CategoryFile.h"

#include <cstring>

#include "store/ByteIo.h"

namespace zavra {

namespace {
constexpr uint8_t kCategoryHeader[5] = {'Q', 'C', 'F', 0x01, 0x00};
}

int ParseCategoryFile(const uint8_t* data, size_t size, NOTE_CATE& cate) {
  cate = NOTE_CATE{};
  // Magic and the low version byte only: files with any fifth byte have always been accepted.
  const size_t checked = size < 4 ? size : 4;
  if (checked != 0 && std::memcmp(data, kCategoryHeader, checked) != 0) return kFileForeign;
  if (size < kCategoryHeadSize) return kFileTruncated;
  std::memcpy(static_cast<NOTE_CATE_FIXED*>(&cate), data + 5, sizeof(NOTE_CATE_FIXED));
  return bytes::ForEachRecord(data + kCategoryHeadSize, size - kCategoryHeadSize,
                              [&](uint16_t tag, const uint8_t* p, uint32_t length) {
    switch (tag) {
      case kCateTagName: cate.name = bytes::Utf16(p, length); break;
      case kCateTagSound: cate.sound = bytes::Utf16(p, length); break;
      case kCateTagSkin: cate.skin = bytes::Utf16(p, length); break;
      default: break;
    }
  });
}

bool SerializeCategory(const NOTE_CATE& cate, std::vector<uint8_t>& out) {
  out.clear();
  out.insert(out.end(), kCategoryHeader, kCategoryHeader + 5);
  const auto* fixed = reinterpret_cast<const uint8_t*>(static_cast<const NOTE_CATE_FIXED*>(&cate));
  out.insert(out.end(), fixed, fixed + sizeof(NOTE_CATE_FIXED));
  return bytes::PutString(out, kCateTagName, cate.name) && bytes::PutString(out, kCateTagSound, cate.sound) &&
         bytes::PutString(out, kCateTagSkin, cate.skin);
}

}  // namespace zavra
