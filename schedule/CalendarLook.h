#pragma once
// The calendar's colours and its background picture choices, as plain arithmetic.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "store/NoteRecord.h"

namespace zavra {

// The desktop composition colour comes as 0xAARRGGBB; drawing wants a COLORREF (0x00BBGGRR).
COLORREF ColorizationToColorRef(uint32_t argb);

// A title or "today" colour made readable on the background: darker on light backgrounds,
// a little darker on very dark ones.
COLORREF ToneForBackground(COLORREF color, COLORREF background);

// The colours of the month title by the month's relation to today's.
COLORREF MonthTitleColor(int relation);
inline constexpr COLORREF kCalendarSundayColor = 0x000000FF;

// A random picture of a folder: `random` 0-32767 spread evenly over `count` files, so the
// last file is as likely as the others; none for an empty folder.
std::optional<size_t> PickRandomIndex(uint32_t random, size_t count);

// The desktop wallpaper as the calendar's picture: its path counts only when it is a full
// path (holds ":\"); a tiled wallpaper is tiled here too.
struct WallpaperChoice {
  std::u16string path;
  bool fit = true;
};
WallpaperChoice WallpaperPicture(const std::u16string& wallpaper, const std::u16string& tileWallpaper);

}  // namespace zavra
