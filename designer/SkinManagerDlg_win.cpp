#include "designer/SkinManagerDlg_win.h"

#include <algorithm>

#include "designer/DesignerUi_win.h"
#include "designer/SkinFiles_win.h"
#include "framework/Strings.h"
#include "resources/ZavraNd_res.h"

namespace zavra {

CSkinManagerDlg::CSkinManagerDlg(std::wstring skinsFolder)
    : CDialog(IDD_SKIN_MANAGER), skinsFolder_(std::move(skinsFolder)) {}

bool CSkinManagerDlg::OnInitDialog() {
  std::wstring caption = LoadResString(IDS_COLUMN_TITLE);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = caption.data();
  column.cx = 100;
  ::SendDlgItemMessageW(*this, IDC_SKINS, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  Fill();
  return true;
}

void CSkinManagerDlg::Fill() {
  HWND list = ::GetDlgItem(*this, IDC_SKINS);
  ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  int row = 0;
  for (std::wstring& title : ListSkinTitles(skinsFolder_)) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row++;
    item.pszText = title.data();
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  // The column fits the longest title, and fills the list when they are all short.
  ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
  RECT client{};
  ::GetClientRect(list, &client);
  const int fitted = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
  ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, std::max<int>(fitted, client.right));
  UpdateButtons();
}

int CSkinManagerDlg::SelectedItem() const {
  return static_cast<int>(::SendDlgItemMessageW(*this, IDC_SKINS, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring CSkinManagerDlg::ItemText(int item) const {
  wchar_t text[MAX_PATH] = {};
  LVITEMW lv{};
  lv.pszText = text;
  lv.cchTextMax = MAX_PATH;
  ::SendDlgItemMessageW(*this, IDC_SKINS, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  return text;
}

void CSkinManagerDlg::UpdateButtons() {
  const bool selected = SelectedItem() >= 0;
  ::EnableWindow(::GetDlgItem(*this, IDOK), selected);
  ::EnableWindow(::GetDlgItem(*this, IDC_DELETE), selected);
}

void CSkinManagerDlg::OnOK() {
  const int item = SelectedItem();
  if (item < 0) return;
  result = ItemText(item);
  EndDialog(IDOK);
}

void CSkinManagerDlg::OnDelete() {
  HWND self = *this;
  const int item = SelectedItem();
  if (item < 0) return;
  const std::wstring title = ItemText(item);
  if (DesignerMessage(self, IDS_DELETE_SKIN, MB_YESNO | MB_ICONQUESTION) != IDYES || !::IsWindow(self)) return;
  DeleteSkinFolder(skinsFolder_, title, self);
  if (::IsWindow(self)) Fill();
}

bool CSkinManagerDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_DELETE) return false;
  OnDelete();
  return true;
}

INT_PTR CSkinManagerDlg::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY && wp == IDC_SKINS) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (header->code == LVN_ITEMCHANGED) UpdateButtons();
    if (header->code == NM_DBLCLK) OnOK();
    return TRUE;
  }
  return CDialog::DialogProc(msg, wp, lp);
}

}  // namespace zavra
