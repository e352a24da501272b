#include "schedule/CalendarSettings.h"

namespace zavra {

namespace {


int32_t I32(const uint8_t* p) {
  return static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

RECT32 DefaultCalendarRect(const RECT32& w) { return {w.right / 4, w.bottom / 2 - 80, 3 * w.right / 4, w.bottom - 50}; }

CalendarSettings LoadCalendarSettings(IRegistryKey* key, const RECT32& workArea) {
  CalendarSettings s;
  s.rect = DefaultCalendarRect(workArea);
  if (!key) return s;
  if (auto v = key->GetBinary(kCalRectValue, 16); v && v->size() == 16) {
    const uint8_t* p = v->data();
    const RECT32 r{I32(p), I32(p + 4), I32(p + 8), I32(p + 12)};
    // An empty or inside-out rectangle is damage, not a window the user left.
    if (r.right > r.left && r.bottom > r.top) s.rect = r;
  }
  if (auto v = key->GetDword(u"CalBkgColor")) s.background = *v & 0xFFFFFF;
  if (auto v = key->GetDword(u"CalWallpaper"); v && *v <= 2) s.mode = static_cast<CalendarPictureMode>(*v);
  if (auto v = key->GetString(u"CalBkgImgFile")) s.imageFile = v->substr(0, kMaxPathChars);
  if (auto v = key->GetDword(u"CalBkgImgFit")) s.fit = *v != 0;
  if (auto v = key->GetDword(u"CalBkgImgRetainRatio")) s.retainRatio = *v != 0;
  if (auto v = key->GetDword(u"CalBkgAlpha")) s.haziness = static_cast<uint8_t>(*v & 0xFF);
  return s;
}

void WriteCalendarRect(IRegistryKey* key, const RECT32& r) {
  if (!key) return;
  std::vector<uint8_t> bytes;
  for (int32_t v : {r.left, r.top, r.right, r.bottom})
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  key->SetBinary(kCalRectValue, bytes);
}

void WriteCalendarBackground(IRegistryKey* key, const CalendarSettings& s) {
  if (!key) return;
  key->SetDword(u"CalBkgColor", s.background & 0xFFFFFF);
  key->SetString(u"CalBkgImgFile", s.imageFile.substr(0, kMaxPathChars));
  key->SetDword(u"CalBkgImgFit", s.fit);
  key->SetDword(u"CalBkgImgRetainRatio", s.retainRatio);
  key->SetDword(u"CalBkgAlpha", s.haziness);
  key->SetDword(u"CalWallpaper", static_cast<uint32_t>(s.mode));
}

}  // namespace zavra
