#pragma once
// The recently closed notes, oldest first, kept to the user's chosen length.
#include <cstdint>
#include <vector>

namespace zavra {

// Moves `id` to the end and cuts from the front to `maxCount`; nothing for id 0 or a
// length of 0. Returns whether the list changed.
bool AddRecent(std::vector<uint32_t>& list, uint32_t id, uint32_t maxCount);
bool RemoveRecent(std::vector<uint32_t>& list, uint32_t id);
bool CutRecent(std::vector<uint32_t>& list, uint32_t maxCount);

}  // namespace zavra
