#include "designer/AboutDlg_win.h"

#include "framework/Strings.h"
#include "resources/ZavraNd_res.h"
#include "zavra_version.h"

namespace zavra {

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog() {
  ::SetDlgItemTextW(*this, IDC_ABOUT_VERSION, FormatArgs(LoadResString(IDS_VERSION), {L"" ZAVRA_VERSION_FULL}).c_str());
  return true;
}

}  // namespace zavra
