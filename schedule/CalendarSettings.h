#pragma once
// The calendar's values in the settings key: its window rectangle and its background.

#include <cstdint>
#include <string>

#include "store/NoteRecord.h"
#include "store/Registry.h"

namespace zavra {

inline constexpr char16_t kCalRectValue[] = u"CalRect";
// The longest picture path kept (the system's MAX_PATH).
inline constexpr size_t kMaxPathChars = 260;

enum class CalendarPictureMode : uint32_t { kWallpaper = 0, kImageFile = 1, kRandomInFolder = 2 };

struct CalendarSettings {
  RECT32 rect;                                                  // "CalRect"
  COLORREF background = 0xFFFFFF;                               // "CalBkgColor"
  CalendarPictureMode mode = CalendarPictureMode::kWallpaper;   // "CalWallpaper"
  std::u16string imageFile;                                     // "CalBkgImgFile"
  bool fit = true;                                              // "CalBkgImgFit"
  bool retainRatio = true;                                      // "CalBkgImgRetainRatio"
  uint8_t haziness = 64;                                        // "CalBkgAlpha", low byte
};

// The default window: the middle half of the work area's width, from a little above its middle
// to 50 pixels above its bottom.
RECT32 DefaultCalendarRect(const RECT32& workArea);

// Missing or mistyped values keep their defaults; a null key gives every default.
CalendarSettings LoadCalendarSettings(IRegistryKey* key, const RECT32& workArea);
void WriteCalendarRect(IRegistryKey* key, const RECT32& rect);
// The background values, written in the order the calendar finds them complete (the mode last).
void WriteCalendarBackground(IRegistryKey* key, const CalendarSettings& s);

}  // namespace zavra
