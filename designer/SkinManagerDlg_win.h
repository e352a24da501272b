#pragma once
// CSkinManagerDlg ("Skin Manager"): the skins of the skins folder, to open one or delete some.
#include <string>

#include "framework/Dialog.h"

namespace zavra {

class CSkinManagerDlg : public CDialog {
 public:
  explicit CSkinManagerDlg(std::wstring skinsFolder);
  // The title to open, after "Open".
  std::wstring result;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnOK() override;
  INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Fill();
  int SelectedItem() const;
  std::wstring ItemText(int item) const;
  void UpdateButtons();
  void OnDelete();

  std::wstring skinsFolder_;
};

}  // namespace zavra
