#include "app/ReopenDlg_win.h"
#include "app/AlarmQueue.h"
#include "resources/notezavra_res.h"

namespace zavra {

CReopenDlg::CReopenDlg() : CDialog(IDD_REOPEN) {}

int64_t CReopenDlg::TotalMinutes() const { return CustomReopenMinutes(days, hours, minutes); }

bool CReopenDlg::OnInitDialog() {
  const struct {
    int spin;
    int maxValue;
  } spins[] = {{IDC_REOPEN_DAYS_SPIN, 99}, {IDC_REOPEN_HOURS_SPIN, 999}, {IDC_REOPEN_MINUTES_SPIN, 999}};
  for (const auto& s : spins)
    ::SendDlgItemMessageW(GetSafeHwnd(), s.spin, UDM_SETRANGE32, 0, s.maxValue);
  return CDialog::OnInitDialog();
}

void CReopenDlg::DoDataExchange(DataExchange& dx) {
  dx.Int(IDC_REOPEN_DAYS, days, 0, 99);
  dx.Int(IDC_REOPEN_HOURS, hours, 0, 999);
  dx.Int(IDC_REOPEN_MINUTES, minutes, 0, 999);
}

}  // namespace zavra
