#pragma once
// CPropMiscPage: the tray icon's default, recent notes, holding, auto-delete and the options
// that take effect at the next start.
#include "prefs/PageValues.h"
#include "prefs/QePropPage_win.h"

namespace zavra {

class CPropMiscPage : public CQePropPage {
 public:
  explicit CPropMiscPage(IPreferencesHost& host);
  const MiscPageValues& values() const { return values_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool Store() override;

 private:
  MiscPageValues values_;
};

}  // namespace zavra
