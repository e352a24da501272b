#include "wizard/ZavraSwizApp_win.h"
#include "framework/Strings.h"
#include "resources/ZavraSwiz_res.h"
#include "wizard/ZavraSwizDlg_win.h"

namespace zavra {

bool CZavraSwizApp::InitInstance() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                                           ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS |
                                           ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  ::InitCommonControlsEx(&icc);
  if (!InitOle()) {
    ::MessageBoxW(nullptr, LoadResString(IDS_SWIZ_OLE_FAILED).c_str(), nullptr, MB_OK | MB_ICONSTOP);
    return false;
  }
  CZavraSwizDlg dialog(DefaultWizardEnvironment());
  dialog.DoModal(nullptr);
  return false;
}

}  // namespace zavra
