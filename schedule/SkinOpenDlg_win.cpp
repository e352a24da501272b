#include "schedule/SkinOpenDlg_win.h"

#include "resources/notezavra_res.h"

namespace zavra {

CSkinOpenDlg::CSkinOpenDlg(std::wstring skinsFolder, bool allowInherit, SkinChoice current)
    : CDialog(IDD_SKIN), skinsFolder_(std::move(skinsFolder)), allowInherit_(allowInherit), choice_(std::move(current)) {}

bool CSkinOpenDlg::OnInitDialog() {
  list_.SubclassDlgItem(IDC_SKIN_LIST, GetSafeHwnd());
  list_.Fill(skinsFolder_, allowInherit_, choice_);
  return CDialog::OnInitDialog();
}

void CSkinOpenDlg::OnOK() {
  choice_ = list_.Choice();
  EndDialog(IDOK);
}

}  // namespace zavra
