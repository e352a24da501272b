#include "schedule/IconComboBoxEx_win.h"

namespace zavra {

namespace {

void InsertRow(HWND combo, int row, int image) {
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(L"");
  item.iImage = item.iSelectedImage = image;
  ::SendMessageW(combo, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void CIconComboBoxEx::Fill(HIMAGELIST images) {
  HWND combo = GetSafeHwnd();
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  ::SendMessageW(combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  InsertRow(combo, 0, I_IMAGENONE);
  const int n = images ? ::ImageList_GetImageCount(images) : 0;
  for (int i = 1; i < n; ++i) InsertRow(combo, i, i);
}

int CIconComboBoxEx::count() const { return static_cast<int>(::SendMessageW(GetSafeHwnd(), CB_GETCOUNT, 0, 0)); }

void CIconComboBoxEx::Select(int row) { ::SendMessageW(GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(row), 0); }

int CIconComboBoxEx::selected() const { return static_cast<int>(::SendMessageW(GetSafeHwnd(), CB_GETCURSEL, 0, 0)); }

}  // namespace zavra
