#include "prefs/QePropPage_win.h"
#include "framework/Strings.h"

namespace zavra {

void CQePropPage::MarkModified() {
  if (!initialised_) return;
  modified_ = true;
  SetModified(true);
}

bool CQePropPage::OnApply() {
  if (!modified_) return true;
  if (!Store()) return false;
  modified_ = false;
  applied_ = true;
  return true;
}

void CQePropPage::SetSpinRange(int spin, int minValue, int maxValue) {
  ::SendDlgItemMessageW(GetSafeHwnd(), spin, UDM_SETRANGE32, static_cast<WPARAM>(minValue), maxValue);
}

void CQePropPage::FillList(int combo, std::initializer_list<UINT> rows) {
  ::SendDlgItemMessageW(GetSafeHwnd(), combo, CB_RESETCONTENT, 0, 0);
  for (UINT row : rows)
    ::SendDlgItemMessageW(GetSafeHwnd(), combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResString(row).c_str()));
}

bool CQePropPage::IsChecked(int id) const {
  return ::IsDlgButtonChecked(GetSafeHwnd(), id) == BST_CHECKED;
}

}  // namespace zavra
