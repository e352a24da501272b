// The main window's side of the preferences: one sheet at a time, and what its pages apply.
#include "app/MainWnd_win.h"
#include "app/CalendarNames_win.h"
#include "app/NoteKitApp_win.h"
#include "app/RecentList.h"
#include "feeds/PropFeedPage_win.h"
#include "framework/Text.h"
#include "notewnd/NoteWnd_win.h"
#include "prefs/PageValues.h"
#include "prefs/PreferencesSheet_win.h"

namespace zavra {

namespace {

class MainPreferencesHost final : public IPreferencesHost {
 public:
  explicit MainPreferencesHost(CMainWnd& main) : main_(main) {}
  const Settings& CurrentSettings() const override { return main_.settings(); }
  std::unique_ptr<IRegistryKey> OpenSettingsKey() override { return main_.environment().registry->OpenSettingsKey(); }
  void ApplyNotePage(const NotePageValues& values) override { main_.ApplyNotePage(values); }
  void ApplyMiscPage(const MiscPageValues& values) override { main_.ApplyMiscPage(values); }
  NoteStore& Store() override { return main_.store(); }
  std::wstring IconStripPath() override { return main_.environment().folders.iconStrip; }
  std::wstring SkinsFolder() override { return main_.environment().folders.skins; }
  void PreviewSound(const std::wstring& path) override { main_.PreviewSound(path); }
  int64_t Now() override { return main_.Now(); }
  std::wstring WeekdayName(int weekday) override {
    if (weekday < 0 || weekday > 6) return {};
    if (const CNoteKitApp* app = CNoteKitApp::Get()) return ToWide(app->calendarNames().dayNames[weekday]);
    return ToWide(LoadCalendarNames(::GetModuleHandleW(nullptr)).dayNames[weekday]);
  }

  CPropertyPage* FeedPage() override {
    CFeedManager* feeds = main_.feedManager();
    if (!feeds) return nullptr;
    if (!feedPage_) feedPage_ = std::make_unique<CPropFeedPage>(*feeds, *main_.environment().registry);
    return feedPage_.get();
  }

 private:
  CMainWnd& main_;
  std::unique_ptr<CPropFeedPage> feedPage_;
};

}  // namespace

void CMainWnd::OpenPreferences(int startPage, HWND parent) {
  if (prefs_) {
    if (HWND sheet = prefs_->window()) ::SetForegroundWindow(sheet);
    return;
  }
  MainPreferencesHost host(*this);
  CPreferencesSheet sheet(host);
  prefs_ = &sheet;
  sheet.Run(startPage, parent);
  prefs_ = nullptr;
  // The calendar reads its settings again once the sheet is gone, however it was closed.
  if (sheet.CalendarSettingsChanged()) NotifyCalendar(kNotifyReopensChanged, nullptr, 0);
}

void CMainWnd::EndPreferences() {
  if (prefs_) prefs_->EndWithCancel();
}

void CMainWnd::ApplyNotePage(const NotePageValues& values) {
  zavra::ApplyNotePage(values, settings_);
  auto key = env_.registry->OpenSettingsKey();
  WriteNotePageGroup(key.get(), settings_);
  LayoutTrackers(false, true);
  for (CNoteWnd* w : noteWindows_) w->SettingsChanged();
  RunAlarmScan();
}

void CMainWnd::ApplyMiscPage(const MiscPageValues& values) {
  zavra::ApplyMiscPage(values, settings_);
  auto key = env_.registry->OpenSettingsKey();
  WriteMiscGroup(key.get(), settings_);
  if (CutRecent(state_.recent, settings_.recentCount)) {
    changeMarks_ |= kMarkRecent;
    WriteLists();
  }
}

}  // namespace zavra
