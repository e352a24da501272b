#pragma once
// CQePropPage: the page base of the preferences. A page marks itself modified when the user
// changes a control (never while it is still filling its controls), and writes its values only
// when modified; "applied" tells the opener that something was written while the sheet was up.
#include "framework/PropertySheet.h"
#include "prefs/PreferencesHost.h"

namespace zavra {

class CQePropPage : public CPropertyPage {
 public:
  CQePropPage(UINT templateId, IPreferencesHost& host) : CPropertyPage(templateId), host_(host) {}
  bool modified() const { return modified_; }
  bool initialised() const { return initialised_; }
  bool applied() const { return applied_; }

 protected:
  // The reaction to any change of a control.
  void MarkModified();
  // Called as the last step of the page's own initialisation.
  void FinishInit() { initialised_ = true; }
  // Writes the page's values; false keeps the page up (the values could not be taken).
  virtual bool Store() = 0;
  bool OnApply() override;
  IPreferencesHost& host() { return host_; }

  // Shared control set-up.
  void SetSpinRange(int spin, int minValue, int maxValue);
  // Rows from the string table.
  void FillList(int combo, std::initializer_list<UINT> rows);
  bool IsChecked(int id) const;

 private:
  IPreferencesHost& host_;
  bool modified_ = false;
  bool initialised_ = false;
  bool applied_ = false;
};

}  // namespace zavra
