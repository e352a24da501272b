#pragma once
// Little-endian field access for the store files. The fixed parts are copied byte for byte,
// which is only right on a little-endian machine; every target of this program is one.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zavra::bytes {

static_assert(std::endian::native == std::endian::little, "store files are little-endian");

inline uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

inline void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A string record holds length/2 UTF-16LE units; an odd trailing byte is ignored.
inline std::u16string Utf16(const uint8_t* p, uint32_t length) {
  std::u16string s(length / 2, u'\0');
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<char16_t>(U16(p + 2 * i));
  return s;
}

// Walks the tagged records after the fixed part: u16 tag, u16 ignored, u32 length, bytes.
// Returns 0, or -2 when the data ends inside a record header or a record's bytes.
template <typename OnRecord>
int ForEachRecord(const uint8_t* p, size_t size, OnRecord&& onRecord) {
  size_t at = 0;
  while (at < size) {
    if (size - at < 8) return -2;
    const uint16_t tag = U16(p + at);
    const uint32_t length = U32(p + at + 4);
    at += 8;
    if (length > size - at) return -2;
    if (length != 0) onRecord(tag, p + at, length);
    at += length;
  }
  return 0;
}

// Appends one tagged record; records longer than a u32 can say are not representable.
inline bool PutRecord(std::vector<uint8_t>& out, uint16_t tag, const void* data, size_t length) {
  if (length > UINT32_MAX) return false;
  PutU16(out, tag);
  PutU16(out, 0);
  PutU32(out, static_cast<uint32_t>(length));
  const auto* b = static_cast<const uint8_t*>(data);
  out.insert(out.end(), b, b + length);
  return true;
}

inline bool PutString(std::vector<uint8_t>& out, uint16_t tag, const std::u16string& s) {
  if (s.empty()) return true;
  if (s.size() > UINT32_MAX / 2) return false;
  PutU16(out, tag);
  PutU16(out, 0);
  PutU32(out, static_cast<uint32_t>(s.size() * 2));
  for (char16_t c : s) PutU16(out, static_cast<uint16_t>(c));
  return true;
}

}  // namespace zavra::bytes
