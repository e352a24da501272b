#include "prefs/PropAboutPage_win.h"
#include "app/Website.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include <shellapi.h>
#include <vector>

namespace zavra {

std::wstring ProgramVersion() {
  wchar_t path[MAX_PATH] = {};
  if (!::GetModuleFileNameW(nullptr, path, MAX_PATH)) return {};
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
  if (!size) return {};
  std::vector<BYTE> data(size);
  if (!::GetFileVersionInfoW(path, 0, size, data.data())) return {};
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info) return {};
  return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) +
         L"." + std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionLS));
}

CPropAboutPage::CPropAboutPage(IPreferencesHost& host) : CQePropPage(IDD_PREF_ABOUT, host) {}

bool CPropAboutPage::OnInitDialog() {
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_PA_NAME, LoadResString(IDS_APP_TITLE).c_str());
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_PA_VERSION,
                    FormatArgs(LoadResString(IDS_VERSION_FORMAT), {ProgramVersion()}).c_str());
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
