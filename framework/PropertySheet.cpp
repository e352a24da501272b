#include "framework/PropertySheet.h"
#include "framework/Application.h"
#include <utility>

namespace zavra {

HPROPSHEETPAGE CPropertyPage::CreatePage() {
  PROPSHEETPAGEW psp{sizeof psp};
  psp.dwFlags = PSP_DEFAULT;
  psp.hInstance = ::GetModuleHandleW(nullptr);
  psp.pszTemplate = MAKEINTRESOURCEW(templateId());
  psp.pfnDlgProc = PageProc;
  psp.lParam = reinterpret_cast<LPARAM>(this);
  return ::CreatePropertySheetPageW(&psp);
}

void CPropertyPage::SetModified(bool changed) {
  HWND sheet = ::GetParent(GetSafeHwnd());
  if (sheet) ::SendMessageW(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(GetSafeHwnd()), 0);
}

INT_PTR CPropertyPage::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
    LONG_PTR result = 0;
    switch (hdr->code) {
      case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        break;
      case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        break;
      case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
      case PSN_RESET:
        OnReset();
        break;
      default:
        return FALSE;
    }
    ::SetWindowLongPtrW(GetSafeHwnd(), DWLP_MSGRESULT, result);
    return TRUE;
  }
  if (msg == WM_COMMAND) {
    // A page never ends the sheet by itself with OK or Cancel.
    return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
  }
  return CDialog::DialogProc(msg, wp, lp);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_INITDIALOG) {
    // The page's own pointer arrives through PROPSHEETPAGE.lParam.
    const auto* psp = reinterpret_cast<const PROPSHEETPAGEW*>(lp);
    return StaticDialogProc(hwnd, msg, wp, psp->lParam);
  }
  return StaticDialogProc(hwnd, msg, wp, lp);
}

bool CPropertySheet::Fill(PROPSHEETHEADERW& header, std::vector<HPROPSHEETPAGE>& handles, HWND parent,
                          bool modeless) {
  for (CPropertyPage* page : pages_) {
    HPROPSHEETPAGE h = page->CreatePage();
    if (!h) {
      for (HPROPSHEETPAGE made : handles) ::DestroyPropertySheetPage(made);
      handles.clear();
      return false;
    }
    handles.push_back(h);
  }
  header = PROPSHEETHEADERW{sizeof header};
  header.dwFlags = modeless ? PSH_MODELESS : 0;
  header.hwndParent = parent;
  header.hInstance = ::GetModuleHandleW(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(handles.size());
  header.nStartPage = static_cast<UINT>(startPage_);
  header.phpage = handles.data();
  return true;
}

namespace {

// The modal sheet being started on this thread: its window arrives through the callback,
// which carries no pointer of its own.
thread_local CPropertySheet* startingSheet = nullptr;

}  // namespace

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM) {
  if (msg == PSCB_INITIALIZED && startingSheet) startingSheet->sheet_ = hwnd;
  return 0;
}

INT_PTR CPropertySheet::DoModal(HWND parent) {
  PROPSHEETHEADERW header;
  std::vector<HPROPSHEETPAGE> handles;
  if (!Fill(header, handles, parent, false)) return -1;
  // A modal sheet is still known by its window, so that the program can end it at exit.
  header.dwFlags |= PSH_USECALLBACK;
  header.pfnCallback = SheetCallback;
  CPropertySheet* const outer = std::exchange(startingSheet, this);
  const INT_PTR r = ::PropertySheetW(&header);
  startingSheet = outer;
  sheet_ = nullptr;
  return r > 0 ? IDOK : (r == 0 ? IDCANCEL : -1);
}

HWND CPropertySheet::Create(HWND parent) {
  PROPSHEETHEADERW header;
  std::vector<HPROPSHEETPAGE> handles;
  if (!Fill(header, handles, parent, true)) return nullptr;
  sheet_ = reinterpret_cast<HWND>(::PropertySheetW(&header));
  if (sheet_) CApplication::AddModelessSheet(sheet_);
  return sheet_;
}

void CPropertySheet::EndWithCancel() {
  if (sheet_ && ::IsWindow(sheet_)) PropSheet_PressButton(sheet_, PSBTN_CANCEL);
}

}  // namespace zavra
