#pragma once
// CPropFeedPage, the "Feed" page of the preferences: which feeds make notes and in which
// category, how often each feed is downloaded, and unsubscribing. It reads and writes the feed
// settings of the settings key and the feed store of the feed manager, and starts the manager
// again after it applied.
#include <string>

#include "feeds/FeedManager.h"
#include "feeds/FeedPageModel.h"
#include "framework/PropertySheet.h"
#include "store/Registry.h"

namespace zavra {

class CPropFeedPage : public CPropertyPage {
 public:
  CPropFeedPage(CFeedManager& manager, IRegistry& settings);

  const FeedPageData& data() const { return data_; }
  bool modified() const { return modified_; }
  bool applied() const { return applied_; }

  // The row's context menu as it would be shown (the caller destroys it).
  HMENU BuildRowMenu(int row);
  // What choosing `command` in the row's context menu does.
  void RunRowCommand(int row, UINT command);
  // The text of a cell of the list.
  std::wstring CellText(int row, int column) const;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnKillActive() override { return true; }
  bool OnApply() override;
  INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FillCategories();
  void ShowMode();
  void ShowRows();
  void MarkModified();
  void ShowRowMenu(int row);
  void Unsubscribe(int row);
  bool Alive(HWND hwnd) const { return ::IsWindow(hwnd) && CWnd::FromHandle(hwnd) == this; }

  CFeedManager& manager_;
  IRegistry& settings_;
  FeedPageData data_;
  CategoryList categories_;
  bool initialised_ = false;
  bool modified_ = false;
  bool applied_ = false;
  std::wstring cell_;  // the text handed to the list for the row it asked for
};

}  // namespace zavra
