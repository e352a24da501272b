#include "app/Website.h"

#include <cstddef>
#include <cstdint>

namespace zavra {

namespace {

constexpr uint8_t kKey = 0x5A;
constexpr uint8_t kScrambled[] = {0x32, 0x29, 0x20, 0x3F, 0x35, 0x43, 0x5F, 0x44, 0x15, 0x12, 0x6B, 0x39,
                                  0x6B, 0x79, 0x59, 0x5E, 0x5A, 0x41, 0x41, 0xF1, 0xB5, 0xA6, 0xAD, 0xD4,
                                  0x9C, 0x9A, 0x98, 0x82, 0xE4, 0xF0, 0xFE, 0xF1, 0xDB, 0x92};

}  // namespace

std::u16string WebsiteAddress() {
  std::u16string address;
  address.reserve(sizeof kScrambled);
  for (size_t i = 0; i < sizeof kScrambled; ++i)
    address.push_back(static_cast<char16_t>(kScrambled[i] ^ kKey ^ static_cast<uint8_t>(i * 7)));
  return address;
}

}  // namespace zavra
