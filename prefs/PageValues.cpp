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

CalendarBackground ReadCalendarBackground(IRegistryKey* key) {
  CalendarBackground b;
  if (!key) return b;
  if (auto v = key->GetDword(u"CalBkgColor")) b.color = *v & 0xFFFFFF;
  if (auto v = key->GetDword(u"CalWallpaper")) b.mode = *v <= 2 ? static_cast<int>(*v) : 0;
  if (auto v = key->GetString(u"CalBkgImgFile")) b.file = v->substr(0, kMaxImagePathChars);
  if (auto v = key->GetDword(u"CalBkgImgFit")) b.fit = *v != 0;
  if (auto v = key->GetDword(u"CalBkgImgRetainRatio")) b.retainRatio = *v != 0;
  if (auto v = key->GetDword(u"CalBkgAlpha")) b.haziness = static_cast<int>(*v & 0xFF);
  return b;
}

void WriteCalendarBackground(IRegistryKey* key, const CalendarBackground& b) {
  if (!key) return;
  key->SetDword(u"CalBkgColor", b.color);
  key->SetString(u"CalBkgImgFile", b.file.substr(0, kMaxImagePathChars));
  key->SetDword(u"CalBkgImgFit", b.fit);
  key->SetDword(u"CalBkgImgRetainRatio", b.retainRatio);
  key->SetDword(u"CalBkgAlpha", static_cast<uint32_t>(kHazinessRange.Clamp(b.haziness)));
  key->SetDword(u"CalWallpaper", static_cast<uint32_t>(b.mode >= 0 && b.mode <= 2 ? b.mode : 0));
}

DesktopWallpaper ParseDesktopWallpaper(const std::optional<std::u16string>& wallpaper,
                                       const std::optional<std::u16string>& tileWallpaper) {
  DesktopWallpaper d;
  if (wallpaper && wallpaper->find(u":\\") != std::u16string::npos && wallpaper->size() <= kMaxImagePathChars)
    d.file = *wallpaper;
  // "TileWallpaper" holds a number as text; anything but 1 stretches or centres the picture.
  std::u16string tile = tileWallpaper.value_or(u"0");
  size_t i = 0;
  while (i < tile.size() && IsBlank(tile[i])) ++i;
  int64_t n = 0;
  while (i < tile.size() && tile[i] >= u'0' && tile[i] <= u'9' && n < 1000) n = n * 10 + (tile[i++] - u'0');
  d.fit = n != 1;
  return d;
}

CalendarBackground LoadCalendarPage(const CalendarBackground& stored, const DesktopWallpaper& desktop) {
  CalendarBackground page = stored;
  page.haziness = kHazinessRange.Clamp(stored.haziness);
  if (stored.mode == 0 && !desktop.file.empty()) {
    page.file = desktop.file;
    page.fit = desktop.fit;
  }
  return page;
}

CalendarBackground ResolveCalendarPage(const CalendarBackground& page, const DesktopWallpaper& desktop) {
  CalendarBackground out = page;
  out.haziness = kHazinessRange.Clamp(page.haziness);
  if (page.mode == 0 && !desktop.file.empty()) {
    out.file = desktop.file;
    out.fit = desktop.fit;
  }
  return out;
}

SourceRect CropToAspect(int32_t pw, int32_t ph, int32_t tw, int32_t th) {
  if (pw <= 0 || ph <= 0 || tw <= 0 || th <= 0) return {0, 0, std::max(pw, 0), std::max(ph, 0)};
  // Compare pw/ph with tw/th without division.
  const int64_t lhs = int64_t{pw} * th, rhs = int64_t{ph} * tw;
  if (lhs > rhs) {  // too wide: keep the full height, centre horizontally
    const int32_t w = static_cast<int32_t>(std::max<int64_t>(1, rhs / th));
    return {(pw - w) / 2, 0, w, ph};
  }
  if (lhs < rhs) {  // too tall: keep the full width and the top
    const int32_t h = static_cast<int32_t>(std::max<int64_t>(1, lhs / tw));
    return {0, 0, pw, h};
  }
  return {0, 0, pw, ph};
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
