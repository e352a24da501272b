#pragma once
// CPropAboutPage: the program's icon, name and version, and its web page.
#include "prefs/QePropPage_win.h"

namespace zavra {

class CPropAboutPage : public CQePropPage {
 public:
  explicit CPropAboutPage(IPreferencesHost& host);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool Store() override { return true; }
};

}  // namespace zavra
