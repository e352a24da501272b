#pragma once
// CSkinOpenDlg ("Skin"): chooses the skin of a note, or "(Inherit)" to follow its category.
#include <string>

#include "framework/Dialog.h"
#include "schedule/SkinComboBox_win.h"

namespace zavra {

class CSkinOpenDlg : public CDialog {
 public:
  CSkinOpenDlg(std::wstring skinsFolder, bool allowInherit, SkinChoice current);
  // The choice, after OK.
  const SkinChoice& choice() const { return choice_; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  std::wstring skinsFolder_;
  bool allowInherit_;
  SkinChoice choice_;
  CSkinComboBox list_;
};

}  // namespace zavra
