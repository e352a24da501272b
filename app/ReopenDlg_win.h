#pragma once
// CReopenDlg ("Timer"): how long until a closed note comes back.
#include "framework/Dialog.h"

namespace zavra {

class CReopenDlg : public CDialog {
 public:
  CReopenDlg();
  int days = 0;
  int hours = 0;
  int minutes = 0;
  // The answer in minutes; 0 or less means nothing is to happen.
  int64_t TotalMinutes() const;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
};

}  // namespace zavra
