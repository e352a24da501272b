#pragma once
// CSaveAsDlg ("Save As"): the title a skin is saved or imported under, and whether an
// existing skin of that title may be written over.
#include <string>

#include "framework/Dialog.h"

namespace zavra {

class CSaveAsDlg : public CDialog {
 public:
  CSaveAsDlg(std::wstring skinsFolder, std::wstring title);
  std::wstring title;
  bool overwrite = false;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnOK() override;

 private:
  std::wstring skinsFolder_;
};

}  // namespace zavra
