#pragma once
// What the preference pages show and write back, kept apart from their controls: each page
// loads one of these from the settings, the controls edit it, and applying writes it back.
// Stored values outside a box's range are brought into range on loading, so a value the user
// never typed cannot keep a page from being left or applied.
#include <cstdint>
#include <optional>
#include <string>

#include "app/Settings.h"
#include "schedule/CalendarLook.h"
#include "schedule/CalendarSettings.h"
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

// In wallpaper mode the desktop's picture (and whether it is tiled) stands in for the image file
// when the desktop has one: what the page shows on opening and what applying stores.
CalendarSettings WithDesktopPicture(const CalendarSettings& page, const WallpaperChoice& desktop);

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
