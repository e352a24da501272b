#pragma once
// Snapping a note's paper to the other open notes while it is moved or resized: edges within
// reach of another note line up with it or keep exactly `gap` pixels from it.
#include <cstdint>
#include <span>

#include "store/NoteRecord.h"

namespace zavra {

inline constexpr int32_t kSnapReach = 15;  // at 96 DPI: an edge this close or closer (exclusive) snaps

// `zone` is 0 while moving, else the resize zone (1 left, 2 right, 3 top, 4 top-left, 5 top-right,
// 6 bottom, 7 bottom-left, 8 bottom-right). Moving never changes the size. `gap` and `reach`
// are pixels at the window's DPI.
RECT32 SnapRect(int zone, const RECT32& proposed, std::span<const RECT32> others, int32_t gap,
                int32_t reach = kSnapReach);

}  // namespace zavra
