#pragma once
// The tracker stack's geometry and look that need no window: the area the stack stands in,
// the gap, a tracker's height, and the outline that turns a tracker's drawing into text
// floating on the desktop.
#include <cstdint>
#include <span>

#include "store/NoteRecord.h"

namespace zavra {

inline constexpr int32_t kTrackAreaMinSize = 32;   // a smaller stored area counts as missing
inline constexpr uint32_t kMaxTrackGap = 99;       // the preferences' range
inline constexpr int32_t kTrackerIconColumns = 16;  // the icon's strip, never outlined
inline constexpr int32_t kTrackerTextLeft = 20;
inline constexpr int32_t kTrackerTextTop = 2;
inline constexpr int32_t kTrackerMinHeight = 16;
inline constexpr int32_t kTrackerMaxHeight = 1024;  // whatever font a damaged record names
inline constexpr COLORREF kTrackerKey = 0x00FFFFFF;  // white: shows the desktop
inline constexpr COLORREF kTrackerNearWhite = 0x00FDFDFD;

// The stack's area: the stored "TrackRect", or the default one of the primary work area when
// it is missing, inverted or under 32 x 32; then cut to the size of the work area of the
// display that holds it and moved inside that work area. `monitors` and `workAreas` are
// parallel; empty means the primary work area alone.
RECT32 TrackArea(const RECT32& stored, const RECT32& primaryWork, std::span<const RECT32> monitors = {},
                 std::span<const RECT32> workAreas = {});

// Pixels between trackers.
int32_t TrackGapPixels(uint32_t stored);

// Width of a tracker's text: what the icon column and margins leave, at least 1.
int32_t TrackerTextWidth(int32_t width);

// At most two text lines, the header line above them when there is an occurrence to show.
int32_t TrackerHeight(int32_t textHeight, int32_t textLine, int32_t headerLine, bool withHeader);

// Paper or text colour as drawn: white would vanish into the key.
inline COLORREF TrackerColor(COLORREF color) { return (color & 0xFFFFFF) == kTrackerKey ? kTrackerNearWhite : color; }

// Turns a drawing on a paper-coloured ground into ink with a rim of paper about a pixel wide;
// everything else, and the icon columns at the left, becomes `key`. Pixels are compared on
// their low 24 bits (any byte order, alpha ignored); `pixels` holds width x height, row by row.
void OutlineInk(std::span<uint32_t> pixels, int32_t width, int32_t height, uint32_t paper, uint32_t key);

}  // namespace zavra
