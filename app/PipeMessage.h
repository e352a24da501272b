#pragma once
// The command pipe's message: previous foreground window (u32), tag 0x2467 (u32), then the
// command line as UTF-16LE with its terminating zero. One message per connection.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zavra {

inline constexpr uint32_t kPipeTag = 0x2467;
inline constexpr size_t kPipeBufferSize = 8192;
inline constexpr size_t kPipeHeaderSize = 8;

std::vector<uint8_t> BuildPipeMessage(uint32_t previousWindow, std::u16string_view commandLine);

// What the main window makes of a WM_COPYDATA block of `size` bytes: the command line when the
// last UTF-16 unit inside the block is zero and the block holds more than that terminator,
// else an empty line. Never reads outside [data, data + size).
std::u16string CommandLineFromCopyData(const void* data, size_t size);

}  // namespace zavra
