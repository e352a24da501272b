#include "app/PipeMessage.h"

namespace zavra {

namespace {
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
char16_t UnitAt(const uint8_t* p, size_t index) {
  return static_cast<char16_t>(p[2 * index] | p[2 * index + 1] << 8);
}
}  // namespace

std::vector<uint8_t> BuildPipeMessage(uint32_t previousWindow, std::u16string_view commandLine) {
  std::vector<uint8_t> out;
  out.reserve(kPipeHeaderSize + 2 * (commandLine.size() + 1));
  PutU32(out, previousWindow);
  PutU32(out, kPipeTag);
  for (char16_t c : commandLine) {
    out.push_back(static_cast<uint8_t>(c));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

std::u16string CommandLineFromCopyData(const void* data, size_t size) {
  if (!data || size <= 2) return {};
  const auto* p = static_cast<const uint8_t*>(data);
  const size_t units = size / 2;
  if (UnitAt(p, units - 1) != 0) return {};
  std::u16string line;
  for (size_t i = 0; i < units; ++i) {
    const char16_t c = UnitAt(p, i);
    if (c == 0) break;
    line.push_back(c);
  }
  return line;
}

}  // namespace zavra
