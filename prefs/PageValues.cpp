#include "prefs/PageValues.h"

#include <algorithm>

namespace zavra {

namespace {

// A pre-open lead in seconds as the page shows it: ticked with whole minutes, or the
// unticked box's own suggestion.
void LoadPreopen(uint32_t seconds, int unticked, bool& on, int& minutes) {
  on = seconds > 0;
  minutes = on ? kPreopenMinutesRange.Clamp(seconds / 60) : unticked;
}

uint32_t PreopenSeconds(bool on, int minutes) { return on ? static_cast<uint32_t>(minutes) * 60 : 0; }

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

NotePageValues LoadNotePage(const Settings& s, bool tipOn, std::u16string tipText) {
  NotePageValues v;
  v.opacity = kOpacityRange.Clamp(s.noteOpacity);
  v.margin = kMarginRange.Clamp(s.noteMargin);
  v.align = s.noteAlign == 0 ? 0 : 1;
  v.snap = s.noteSnap;
  v.gap = kGapRange.Clamp(s.noteGap);
  v.trackGap = kGapRange.Clamp(s.trackGap);
  LoadPreopen(s.preopen1, 30, v.preopen1On, v.preopen1Minutes);
  LoadPreopen(s.preopen2, 60, v.preopen2On, v.preopen2Minutes);
  v.tipOn = tipOn;
  v.tipText = std::move(tipText);
  v.trackRect = s.trackRect;
  return v;
}

void ApplyNotePage(const NotePageValues& v, Settings& s) {
  s.noteOpacity = static_cast<uint32_t>(kOpacityRange.Clamp(v.opacity));
  s.noteMargin = static_cast<uint32_t>(kMarginRange.Clamp(v.margin));
  s.noteAlign = v.align == 0 ? 0 : 1;
  s.noteSnap = v.snap;
  s.noteGap = static_cast<uint32_t>(kGapRange.Clamp(v.gap));
  s.trackGap = static_cast<uint32_t>(kGapRange.Clamp(v.trackGap));
  s.preopen1 = PreopenSeconds(v.preopen1On, kPreopenMinutesRange.Clamp(v.preopen1Minutes));
  s.preopen2 = PreopenSeconds(v.preopen2On, kPreopenMinutesRange.Clamp(v.preopen2Minutes));
  s.trackRect = v.trackRect;
}

MiscPageValues LoadMiscPage(const Settings& s) {
  MiscPageValues v;
  v.trayDefault = s.trayDefault <= 2 ? static_cast<int>(s.trayDefault) : 0;
  v.recentCount = kRecentRange.Clamp(s.recentCount);
  v.holdFullScreen = s.holdFullScreen;
  v.autoDeleteOn = s.autoDeleteDays > 0;
  v.autoDeleteDays = v.autoDeleteOn ? kAutoDeleteDaysRange.Clamp(s.autoDeleteDays) : 60;
  v.noteShadow = s.noteShadow;
  v.clearType = s.clearType;
  return v;
}

void ApplyMiscPage(const MiscPageValues& v, Settings& s) {
  s.trayDefault = static_cast<uint32_t>(v.trayDefault >= 0 && v.trayDefault <= 2 ? v.trayDefault : 0);
  s.recentCount = static_cast<uint32_t>(kRecentRange.Clamp(v.recentCount));
  s.holdFullScreen = v.holdFullScreen;
  s.autoDeleteDays = v.autoDeleteOn ? static_cast<uint32_t>(kAutoDeleteDaysRange.Clamp(v.autoDeleteDays)) : 0;
  s.noteShadow = v.noteShadow;
  s.clearType = v.clearType;
}

CalendarSettings WithDesktopPicture(const CalendarSettings& page, const WallpaperChoice& desktop) {
  CalendarSettings out = page;
  if (page.mode == CalendarPictureMode::kWallpaper && !desktop.path.empty()) {
    out.imageFile = desktop.path;
    out.fit = desktop.fit;
  }
  return out;
}

std::u16string FolderOfImage(const std::u16string& file) {
  const size_t slash = file.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : file.substr(0, slash);
}

bool CanDeleteCategory(const NOTE_CATE& cate) { return cate.id == 0 || cate.id >= kFirstUserCategory; }

int StoreIndexOf(const NOTE_CATE& cate) {
  if (cate.flags & kCateTemporary) return 2;
  if (cate.flags & kCateAutoDelete) return 1;
  return 0;
}

void SetStoreIndex(NOTE_CATE& cate, int index) {
  cate.flags &= ~static_cast<uint32_t>(kCateAutoDelete | kCateTemporary);
  if (index == 1) cate.flags |= kCateAutoDelete;
  if (index == 2) cate.flags |= kCateTemporary;
}

int DefaultViewOf(const NOTE_CATE& cate) {
  const uint32_t view = cate.flags & kCateDefaultViewMask;
  return view <= 3 ? static_cast<int>(view) : 0;
}

void SetDefaultView(NOTE_CATE& cate, int index) {
  cate.flags = (cate.flags & ~static_cast<uint32_t>(kCateDefaultViewMask)) |
               static_cast<uint32_t>(index >= 0 && index <= 3 ? index : 0);
}

bool IsOfInterest(const NOTE_CATE& cate) { return !(cate.flags & kCateNotOfInterest); }

void SetOfInterest(NOTE_CATE& cate, bool interest) {
  if (interest)
    cate.flags &= ~static_cast<uint32_t>(kCateNotOfInterest);
  else
    cate.flags |= kCateNotOfInterest;
}

bool RenameCategory(NOTE_CATE& cate, const std::u16string& typed) {
  bool blank = true;
  for (char16_t c : typed) blank = blank && IsBlank(c);
  if (blank) return false;
  cate.name = typed;
  return true;
}

NOTE_CATE NewCategoryRecord(const std::u16string& name, const LOGFONTW& iconTitleFont) {
  NOTE_CATE cate;
  cate.name = name;
  cate.font = iconTitleFont;
  if (cate.font.lfWeight < 700) cate.font.lfWeight = 700;
  return cate;
}

}  // namespace zavra
