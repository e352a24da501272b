#include "prefs/PreferencesSheet_win.h"
#include "framework/Strings.h"
#include "prefs/PropAboutPage_win.h"
#include "prefs/PropCalPage_win.h"
#include "prefs/PropCatePage_win.h"
#include "prefs/PropMiscPage_win.h"
#include "prefs/PropNotePage_win.h"
#include "resources/notezavra_res.h"

namespace zavra {

CPreferencesSheet::CPreferencesSheet(IPreferencesHost& host)
    : host_(host),
      sheet_(LoadResString(IDS_PREFERENCES)),
      note_(std::make_unique<CPropNotePage>(host)),
      category_(std::make_unique<CPropCatePage>(host)),
      calendar_(std::make_unique<CPropCalPage>(host)),
      misc_(std::make_unique<CPropMiscPage>(host)),
      about_(std::make_unique<CPropAboutPage>(host)) {
  sheet_.AddPage(note_.get());
  sheet_.AddPage(category_.get());
  sheet_.AddPage(calendar_.get());
  if (CPropertyPage* feed = host_.FeedPage()) sheet_.AddPage(feed);
  sheet_.AddPage(misc_.get());
  sheet_.AddPage(about_.get());
}

CPreferencesSheet::~CPreferencesSheet() = default;

INT_PTR CPreferencesSheet::Run(int startPage, HWND parent) {
  // Without a feed page the pages after it move up one place.
  int index = startPage;
  if (!host_.FeedPage() && startPage > kPrefFeed) --index;
  if (!host_.FeedPage() && startPage == kPrefFeed) index = 0;
  sheet_.SetStartPage(index < 0 ? 0 : index);
  return sheet_.DoModal(parent);
}

bool CPreferencesSheet::CalendarSettingsChanged() const { return note_->applied() || calendar_->applied(); }

}  // namespace zavra
