#pragma once
// What the preference pages show and write back, kept apart from their controls: each page
// loads one of these from the settings, the controls edit it, and applying writes it back.
// Stored values outside a box's range are brought into range on loading, so a value the user
// never typed cannot keep a page from being left or applied.
#include <cstdint>
#include <optional>
#include <string>

#include "app/Settings.h"
#include "store/Category.h"
#include "store/NoteRecord.h"

namespace zavra {

// A number box's range; the spinner takes the same one.
struct BoxRange {
  int min;
  int max;
  int Clamp(int64_t v) const { return static_cast<int>(v < min ? min : v > max ? max : v); }
};

inline constexpr BoxRange kOpacityRange{1, 255};
inline constexpr BoxRange kMarginRange{0, 99};
inline constexpr BoxRange kGapRange{0, 99};
inline constexpr BoxRange kPreopenMinutesRange{1, 480};
inline constexpr BoxRange kRecentRange{0, 99};
inline constexpr BoxRange kAutoDeleteDaysRange{1, 999};
inline constexpr BoxRange kHazinessRange{0, 255};
inline constexpr BoxRange kVariationRange{0, 255};

// ---------------------------------------------------------------- Note page

struct NotePageValues {
  int opacity = 220;
  int margin = 6;
  int align = 1;  // 0 normal, 1 centred
  bool snap = true;
  int gap = 3;
  int trackGap = 5;
  bool preopen1On = true;
  int preopen1Minutes = 30;
  bool preopen2On = false;
  int preopen2Minutes = 60;
  bool tipOn = true;
  std::u16string tipText;
  RECT32 trackRect{};
};

NotePageValues LoadNotePage(const Settings& s, bool tipOn, std::u16string tipText);
// Copies into the settings what the page edits ("NoteTip" and its text are written apart).
void ApplyNotePage(const NotePageValues& v, Settings& s);

// ---------------------------------------------------------------- Misc. page

struct MiscPageValues {
  int trayDefault = 0;  // 0 new note, 1 pad, 2 calendar
  int recentCount = 5;
  bool holdFullScreen = false;
  bool autoDeleteOn = true;
  int autoDeleteDays = 60;
  bool noteShadow = true;
  bool clearType = true;
};

MiscPageValues LoadMiscPage(const Settings& s);
void ApplyMiscPage(const MiscPageValues& v, Settings& s);

// ---------------------------------------------------------------- Calendar page

// The calendar's background as stored.
struct CalendarBackground {
  COLORREF color = 0xFFFFFF;        // "CalBkgColor"
  int mode = 0;                     // "CalWallpaper": 0 desktop wallpaper, 1 file, 2 random in its folder
  std::u16string file;              // "CalBkgImgFile"
  bool fit = true;                  // "CalBkgImgFit"
  bool retainRatio = true;          // "CalBkgImgRetainRatio"
  int haziness = 64;                // "CalBkgAlpha", low byte
};

inline constexpr size_t kMaxImagePathChars = 260;

CalendarBackground ReadCalendarBackground(IRegistryKey* settingsKey);
// Written in the order the calendar expects to find them complete.
void WriteCalendarBackground(IRegistryKey* settingsKey, const CalendarBackground& b);

// The desktop's wallpaper ("Control Panel\Desktop"): its file when it is a full path, and
// whether it is stretched rather than tiled.
struct DesktopWallpaper {
  std::u16string file;
  bool fit = true;
};
DesktopWallpaper ParseDesktopWallpaper(const std::optional<std::u16string>& wallpaper,
                                       const std::optional<std::u16string>& tileWallpaper);

// What the page shows on opening: in wallpaper mode the desktop's picture when there is one.
CalendarBackground LoadCalendarPage(const CalendarBackground& stored, const DesktopWallpaper& desktop);
// What applying stores: the page's choices, with the desktop's picture in wallpaper mode.
CalendarBackground ResolveCalendarPage(const CalendarBackground& page, const DesktopWallpaper& desktop);

// The part of a picture that fills a target of the given size when fitting with its aspect
// kept: a too-tall picture keeps its top, a too-wide one its horizontal centre.
struct SourceRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const SourceRect&) const = default;
};
SourceRect CropToAspect(int32_t pictureWidth, int32_t pictureHeight, int32_t targetWidth, int32_t targetHeight);

// The folder part of an image path (before its last backslash); empty when there is none.
std::u16string FolderOfImage(const std::u16string& file);

// ---------------------------------------------------------------- Category page

// "Delete" is offered for categories the user made: new ones and ids from 10001.
bool CanDeleteCategory(const NOTE_CATE& cate);
// "Store:" list: 0 permanent, 1 auto-delete, 2 temporary.
int StoreIndexOf(const NOTE_CATE& cate);
void SetStoreIndex(NOTE_CATE& cate, int index);
// "Default view:" list: 0 day, 1 week, 2 month, 3 all (a damaged byte shows as Day).
int DefaultViewOf(const NOTE_CATE& cate);
void SetDefaultView(NOTE_CATE& cate, int index);
bool IsOfInterest(const NOTE_CATE& cate);
void SetOfInterest(NOTE_CATE& cate, bool interest);
// A typed name becomes the category's name unless it is empty or only blanks.
bool RenameCategory(NOTE_CATE& cate, const std::u16string& typed);
// "New": the store's defaults, the given name and a bold copy of the given font.
NOTE_CATE NewCategoryRecord(const std::u16string& name, const LOGFONTW& iconTitleFont);

}  // namespace zavra
