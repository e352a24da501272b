#pragma once
// Property sheets and pages. A page is a dialog whose data moves in at activation and out
// when the sheet applies; any change enables Apply through SetModified.
#include "framework/Dialog.h"
#include <vector>

namespace zavra {

class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}
  HPROPSHEETPAGE CreatePage();
  void SetModified(bool changed = true);

 protected:
  // Validation and apply; returning false keeps the page up.
  virtual bool OnKillActive() { return UpdateData(true); }
  virtual bool OnApply() { return true; }
  virtual bool OnSetActive() { return true; }
  virtual void OnReset() {}
  INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
};

class CPropertySheet {
 public:
  explicit CPropertySheet(std::wstring caption) : caption_(std::move(caption)) {}
  void AddPage(CPropertyPage* page) { pages_.push_back(page); }
  void SetStartPage(int index) { startPage_ = index; }
  // Modal: IDOK when the sheet closed with OK, else IDCANCEL (or -1).
  INT_PTR DoModal(HWND parent);
  // Modeless: the sheet window, or null.
  HWND Create(HWND parent);
  // The sheet's window while it exists (modal or modeless), else null.
  HWND GetSafeHwnd() const { return sheet_; }
  // Ends the sheet as if its Cancel button were pressed.
  void EndWithCancel();

 private:
  static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);
  bool Fill(PROPSHEETHEADERW& header, std::vector<HPROPSHEETPAGE>& handles, HWND parent, bool modeless);
  std::wstring caption_;
  std::vector<CPropertyPage*> pages_;
  int startPage_ = 0;
  HWND sheet_ = nullptr;
};

}  // namespace zavra
