#include "schedule/CateComboBoxEx_win.h"

#include <algorithm>
#include <vector>

#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "schedule/PickerLists.h"

namespace zavra {

void CCateComboBoxEx::SetImages(HIMAGELIST images) {
  images_ = images;
  ::SendMessageW(GetSafeHwnd(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

void CCateComboBoxEx::AddRow(const std::wstring& name, int image, int id) {
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
  item.iItem = -1;
  item.pszText = const_cast<wchar_t*>(name.c_str());
  item.iImage = item.iSelectedImage = image;
  item.lParam = id;
  ::SendMessageW(GetSafeHwnd(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void CCateComboBoxEx::AddCategories(const CategoryList& categories) {
  const int images = images_ ? ::ImageList_GetImageCount(images_) : 0;
  for (const NOTE_CATE& c : categories.items) {
    const int image = c.icon > 0 && c.icon < images ? c.icon : I_IMAGENONE;
    AddRow(ToWide(c.name), image, static_cast<int>(c.id));
  }
}

void CCateComboBoxEx::Fill(const CategoryList& categories) {
  ::SendMessageW(GetSafeHwnd(), CB_RESETCONTENT, 0, 0);
  AddCategories(categories);
}

void CCateComboBoxEx::FillFilter(const CategoryList& categories) {
  // The row selected before stays selected by position, for ShowFilter to fall back on.
  const LRESULT selected = ::SendMessageW(GetSafeHwnd(), CB_GETCURSEL, 0, 0);
  ::SendMessageW(GetSafeHwnd(), CB_RESETCONTENT, 0, 0);
  AddRow(LoadResString(IDS_ALL_OF_INTEREST), I_IMAGENONE, kAllOfInterest);
  AddRow(LoadResString(IDS_ALL_CATEGORIES), I_IMAGENONE, kAllCategories);
  AddCategories(categories);
  const LRESULT last = ::SendMessageW(GetSafeHwnd(), CB_GETCOUNT, 0, 0) - 1;
  if (selected >= 0) ::SendMessageW(GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(std::min(selected, last)), 0);
}

std::vector<int> CCateComboBoxEx::RowIds() const {
  const int n = static_cast<int>(::SendMessageW(GetSafeHwnd(), CB_GETCOUNT, 0, 0));
  std::vector<int> ids;
  for (int i = 0; i < n; ++i) {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_LPARAM;
    item.iItem = i;
    ::SendMessageW(GetSafeHwnd(), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ids.push_back(static_cast<int>(item.lParam));
  }
  return ids;
}

bool CCateComboBoxEx::SelectId(int id) {
  const std::vector<int> ids = RowIds();
  for (size_t i = 0; i < ids.size(); ++i)
    if (ids[i] == id) {
      ::SendMessageW(GetSafeHwnd(), CB_SETCURSEL, i, 0);
      return true;
    }
  ::SendMessageW(GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  return false;
}

int CCateComboBoxEx::SelectedId(int none) const {
  const LRESULT row = ::SendMessageW(GetSafeHwnd(), CB_GETCURSEL, 0, 0);
  const std::vector<int> ids = RowIds();
  return row >= 0 && static_cast<size_t>(row) < ids.size() ? ids[static_cast<size_t>(row)] : none;
}

int CCateComboBoxEx::ShowFilter(int filterId) {
  const std::vector<int> ids = RowIds();
  const int previous = static_cast<int>(::SendMessageW(GetSafeHwnd(), CB_GETCURSEL, 0, 0));
  const int row = FilterRow(ids, filterId, previous);
  if (row < 0) return filterId;
  ::SendMessageW(GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  return ids[static_cast<size_t>(row)];
}

}  // namespace zavra
