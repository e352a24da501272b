#include "designer/AboutDlg_win.h"

#include <vector>

#include "framework/Strings.h"
#include "resources/ZavraNd_res.h"

namespace zavra {

namespace {

// "1.0.0.0" from the program's own version resource.
std::wstring ProgramVersion() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
  std::vector<uint8_t> block(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!size || !::GetFileVersionInfoW(path, 0, size, block.data()) ||
      !::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info)
    return L"1.0";
  return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
         std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionLS));
}

}  // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog() {
  ::SetDlgItemTextW(*this, IDC_ABOUT_VERSION, FormatArgs(LoadResString(IDS_VERSION), {ProgramVersion()}).c_str());
  return true;
}

}  // namespace zavra
