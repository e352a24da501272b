#include "prefs/PropAboutPage_win.h"
#include "app/Website.h"
#include "framework/Strings.h"
#include "framework/VersionInfo.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include <shellapi.h>

namespace zavra {

CPropAboutPage::CPropAboutPage(IPreferencesHost& host) : CQePropPage(IDD_PREF_ABOUT, host) {}

bool CPropAboutPage::OnInitDialog() {
  const ProgramVersion about = ReadProgramVersion();
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_PA_NAME, LoadResString(IDS_APP_TITLE).c_str());
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_PA_VERSION, FormatArgs(LoadResString(IDS_VERSION_FORMAT), {about.version}).c_str());
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_PA_COPYRIGHT, about.copyright.c_str());
  FinishInit();
  return true;
}

bool CPropAboutPage::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_PA_WEBSITE || code != BN_CLICKED) return false;
  ::ShellExecuteW(nullptr, L"open", ToWide(WebsiteAddress()).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (HWND sheet = ::GetParent(GetSafeHwnd())) PropSheet_PressButton(sheet, PSBTN_FINISH);
  return true;
}

}  // namespace zavra
