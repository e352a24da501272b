#pragma once
// The calendar's background: the accent colour of the desktop and the picture its settings
// choose (the desktop wallpaper, an image file, or a random image of a folder).
#include <memory>
#include <random>
#include <string>

#include "framework/Win.h"
#include "schedule/CalendarSettings.h"
#include "skin/SkinImage_win.h"

namespace zavra {

// The desktop composition colour while composition is on, else the active caption colour.
::COLORREF CalendarAccentColor();

struct CalendarPicture {
  std::unique_ptr<GdiplusPicture> picture;
  std::wstring path;
  bool fit = true;
};

// Loads the picture the settings name into `current`. A picture that does not load leaves the
// current one in place; no file at all removes it. GDI+ must be running.
void LoadCalendarPicture(const CalendarSettings& settings, std::minstd_rand& random, CalendarPicture& current);

// The files (not folders) of a folder, by full path.
std::vector<std::wstring> FilesInFolder(const std::wstring& folder);

}  // namespace zavra
