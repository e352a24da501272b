#pragma once
// CAboutDlg: the designer's icon, name and version.
#include "framework/Dialog.h"

namespace zavra {

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();

 protected:
  bool OnInitDialog() override;
};

}  // namespace zavra
