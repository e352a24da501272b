#include "schedule/CalendarBackground_win.h"

#include "framework/Handles.h"
#include "framework/Text.h"
#include "schedule/CalendarLook.h"

namespace zavra {

namespace {

// Tries at most this many random files of a folder before falling back to the named file.
constexpr int kRandomTries = 3;

std::u16string DesktopValue(const wchar_t* name) {
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD bytes = sizeof buffer - sizeof(wchar_t);
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) !=
      ERROR_SUCCESS)
    return {};
  return ToU16(buffer);
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

::COLORREF CalendarAccentColor() {
  // dwmapi is bound at run time: systems without composition have no such library.
  if (HMODULE dwm = ::LoadLibraryW(L"dwmapi.dll")) {
    using IsEnabled = HRESULT(WINAPI*)(BOOL*);
    using GetColor = HRESULT(WINAPI*)(DWORD*, BOOL*);
    auto isEnabled = reinterpret_cast<IsEnabled>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmIsCompositionEnabled")));
    auto getColor = reinterpret_cast<GetColor>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmGetColorizationColor")));
    BOOL enabled = FALSE, opaque = FALSE;
    DWORD argb = 0;
    const bool composed = isEnabled && getColor && SUCCEEDED(isEnabled(&enabled)) && enabled &&
                          SUCCEEDED(getColor(&argb, &opaque));
    ::FreeLibrary(dwm);
    if (composed) return ColorizationToColorRef(argb);
  }
  return ::GetSysColor(COLOR_ACTIVECAPTION);
}

std::vector<std::wstring> FilesInFolder(const std::wstring& folder) {
  std::vector<std::wstring> files;
  if (folder.empty()) return files;
  WIN32_FIND_DATAW found{};
  FindHandle find(::FindFirstFileW((folder + L"*").c_str(), &found));
  if (!find) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + found.cFileName);
  } while (::FindNextFileW(find.get(), &found));
  return files;
}

void LoadCalendarPicture(const CalendarSettings& settings, std::minstd_rand& random, CalendarPicture& current) {
  std::wstring path = ToWide(settings.imageFile);
  bool fit = settings.fit;
  std::unique_ptr<GdiplusPicture> loaded;
  switch (settings.mode) {
    case CalendarPictureMode::kWallpaper: {
      const WallpaperChoice wallpaper = WallpaperPicture(DesktopValue(L"Wallpaper"), DesktopValue(L"TileWallpaper"));
      path = ToWide(wallpaper.path);
      fit = wallpaper.fit;
      break;
    }
    case CalendarPictureMode::kImageFile:
      break;
    case CalendarPictureMode::kRandomInFolder: {
      const std::vector<std::wstring> files = FilesInFolder(FolderOf(path));
      std::uniform_int_distribution<uint32_t> draw(0, 32767);
      for (int i = 0; i < kRandomTries && !loaded; ++i) {
        const auto pick = PickRandomIndex(draw(random), files.size());
        if (!pick) break;
        if ((loaded = DecodePicture(files[*pick]))) path = files[*pick];
      }
      break;
    }
  }
  if (path.empty()) {
    current = CalendarPicture{};
    return;
  }
  if (!loaded) loaded = DecodePicture(path);
  if (!loaded) return;
  current.picture = std::move(loaded);
  current.path = path;
  current.fit = fit;
}

}  // namespace zavra
