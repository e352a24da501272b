#pragma once
// Window geometry of the main program: keeping rectangles on a monitor's work area, placing
// new note windows clear of open ones, and stacking trackers.
#include "store/NoteRecord.h"
#include <cstdint>
#include <span>
#include <vector>

namespace zavra {

inline int32_t Width(const RECT32& r) { return r.right - r.left; }
inline int32_t Height(const RECT32& r) { return r.bottom - r.top; }
bool Intersects(const RECT32& a, const RECT32& b);
RECT32 Inflated(const RECT32& r, int32_t by);
RECT32 Intersection(const RECT32& a, const RECT32& b);
RECT32 Offset(const RECT32& r, int32_t dx, int32_t dy);

// The work area of the monitor that holds most of `r`, or of the nearest monitor when `r`
// lies on none. `workAreas` and `monitors` are parallel (work area, full monitor rectangle).
RECT32 WorkAreaFor(const RECT32& r, std::span<const RECT32> monitors, std::span<const RECT32> workAreas);

// Moves `r` into `area` without changing its size; a rectangle larger than the area keeps
// its left and top edges on the area's.
RECT32 ClampInto(const RECT32& r, const RECT32& area);

// A new note window's rectangle moved clear of the open note windows (each kept `gap` pixels
// away), searching a square around it in one direction after another; unchanged when no
// direction has room.
RECT32 PlaceClearOfNotes(const RECT32& r, std::span<const RECT32> openNotes, int32_t gap, const RECT32& workArea);

// Top-left corners for a stack of trackers of the given heights, starting at the top-left of
// `first` and leaving `gap` pixels between them.
struct Point32 {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Point32&) const = default;
};
std::vector<Point32> StackTrackers(const RECT32& first, std::span<const int32_t> heights, int32_t gap);

// Order of trackers: by occurrence time, or created time when there is none; stable.
struct TrackerKey {
  int64_t occurrence = 0;  // 0 = none
  int64_t created = 0;
};
std::vector<size_t> SortTrackers(std::span<const TrackerKey> keys);

}  // namespace zavra
