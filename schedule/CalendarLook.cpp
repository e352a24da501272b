#include "schedule/CalendarLook.h"

#include <algorithm>

namespace zavra {

COLORREF ColorizationToColorRef(uint32_t argb) {
  const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return r | g << 8 | b << 16;
}

COLORREF ToneForBackground(COLORREF color, COLORREF background) {
  const uint32_t brightest = std::max({background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF});
  const uint32_t f = brightest >= 192 ? 128 : brightest < 64 ? 192 : 255;
  COLORREF toned = 0;
  for (int shift = 0; shift < 24; shift += 8) toned |= (((color >> shift) & 0xFF) * f / 255) << shift;
  return toned;
}

COLORREF MonthTitleColor(int relation) {
  if (relation < 0) return 0x000000FF;  // red: a month gone by
  if (relation > 0) return 0x0000FF00;  // green: one to come
  return 0x00FF0000;                    // blue: this month
}

std::optional<size_t> PickRandomIndex(uint32_t random, size_t count) {
  if (count == 0) return std::nullopt;
  return static_cast<size_t>(static_cast<uint64_t>(random % 32768) * count / 32768);
}

WallpaperChoice WallpaperPicture(const std::u16string& wallpaper, const std::u16string& tileWallpaper) {
  WallpaperChoice choice;
  if (wallpaper.find(u":\\") != std::u16string::npos) choice.path = wallpaper;
  choice.fit = tileWallpaper != u"1";
  return choice;
}

}  // namespace zavra
