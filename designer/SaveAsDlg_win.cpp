#include "designer/SaveAsDlg_win.h"

#include "designer/DesignerUi_win.h"
#include "designer/SkinDocument.h"
#include "framework/Text.h"
#include "resources/ZavraNd_res.h"

namespace zavra {

CSaveAsDlg::CSaveAsDlg(std::wstring skinsFolder, std::wstring initialTitle)
    : CDialog(IDD_SAVE_AS), title(std::move(initialTitle)), skinsFolder_(std::move(skinsFolder)) {}

bool CSaveAsDlg::OnInitDialog() {
  ::SendDlgItemMessageW(*this, IDC_TITLE, EM_LIMITTEXT, 255, 0);
  ::SetDlgItemTextW(*this, IDC_TITLE, title.c_str());
  ::EnableWindow(::GetDlgItem(*this, IDOK), !title.empty());
  return true;
}

bool CSaveAsDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_TITLE || code != EN_CHANGE) return false;
  ::EnableWindow(::GetDlgItem(*this, IDOK), ::GetWindowTextLengthW(::GetDlgItem(*this, IDC_TITLE)) > 0);
  return true;
}

void CSaveAsDlg::OnOK() {
  HWND self = *this;
  const std::wstring text = ControlText(self, IDC_TITLE);
  const bool overwriting = ::IsDlgButtonChecked(self, IDC_OVERWRITE) == BST_CHECKED;
  UINT refusal = 0;
  if (text.empty()) return;
  if (HasNotAllowedTitleChar(ToU16(text)))
    refusal = IDS_NOT_ALLOWED;
  else if (!IsDesignerTitle(ToU16(text)))
    refusal = IDS_TITLE_INVALID;
  else if (!overwriting && ::GetFileAttributesW((skinsFolder_ + text).c_str()) != INVALID_FILE_ATTRIBUTES)
    refusal = IDS_TITLE_EXISTS;
  if (refusal) {
    DesignerMessage(self, refusal);
    if (::IsWindow(self) && refusal != IDS_NOT_ALLOWED) ::SetFocus(::GetDlgItem(self, IDC_TITLE));
    return;
  }
  title = text;
  overwrite = overwriting;
  EndDialog(IDOK);
}

}  // namespace zavra
