#pragma once
// CPadDialogBar: the bar above the pad's list (template 136): the category filter list and the
// search box. The search box keeps its keys to itself: Tab goes to the list, Enter searches at
// once, Ctrl+A and getting the focus select its text.
#include <string>

#include "framework/Dialog.h"
#include "schedule/CateComboBoxEx_win.h"
#include "store/Category.h"

namespace zavra {

class CPadFrame;

class CPadSearchEdit : public CWnd {
 public:
  explicit CPadSearchEdit(CPadFrame& frame) : frame_(frame) {}

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  CPadFrame& frame_;
};

class CPadDialogBar : public CDialog {
 public:
  explicit CPadDialogBar(CPadFrame& frame);

  // A child of `parent` (the rebar); not a modeless dialog of the loop, whose dialog keys
  // would take Tab and Escape from the search box.
  bool Create(HWND parent);
  void FillCategories(const CategoryList& categories, HIMAGELIST icons);
  // Shows the filter's row; returns the filter the list shows (a missing category's row
  // falls back to the row shown before).
  int ShowFilter(int filter);
  int ChosenFilter() const;
  std::wstring SearchText() const;
  // Empties the search box without starting a search.
  void ClearSearch();
  HWND searchBox() const { return search_.GetSafeHwnd(); }
  HWND categoryBox() const { return category_.GetSafeHwnd(); }
  // Height of the bar in pixels.
  int height() const;

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void Stretch(int width);

  CPadFrame& frame_;
  CCateComboBoxEx category_;
  CPadSearchEdit search_;
  bool settingText_ = false;
};

}  // namespace zavra
