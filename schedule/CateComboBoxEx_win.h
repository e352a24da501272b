#pragma once
// CCateComboBoxEx: an extended combo box of categories, each row with its name, its icon from
// the icon strip and its id. The note edit dialog lists the categories; the pad's bar uses the
// filter form, which begins with "All of Interest" (-1) and "All Categories" (0). Take over a
// dialog's control with SubclassDlgItem, or one the bar created with SubclassWindow.
#include <string>
#include <vector>

#include "framework/Window.h"
#include "store/Category.h"

namespace zavra {

class CCateComboBoxEx : public CWnd {
 public:
  inline static constexpr int kAllOfInterest = -1;
  inline static constexpr int kAllCategories = 0;

  // The icon strip; it stays the caller's.
  void SetImages(HIMAGELIST images);
  void Fill(const CategoryList& categories);
  void FillFilter(const CategoryList& categories);
  // Selects the row of `id`; false (and nothing selected) when no row has it.
  bool SelectId(int id);
  // The selected row's id; `none` when nothing is selected.
  int SelectedId(int none = kAllCategories) const;
  // The filter form: selects the filter's row, else keeps the row selected before (within the
  // list); returns the filter now shown, which the caller takes as its filter.
  int ShowFilter(int filterId);

 private:
  void AddRow(const std::wstring& name, int image, int id);
  void AddCategories(const CategoryList& categories);
  std::vector<int> RowIds() const;
  HIMAGELIST images_ = nullptr;
};

}  // namespace zavra
