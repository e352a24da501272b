#include "pad/PadDialogBar_win.h"

#include <algorithm>
#include <vector>

#include "pad/PadFrame_win.h"
#include "resources/pad_res.h"

namespace zavra {

LRESULT CPadSearchEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
      if (wp == VK_TAB) {
        frame_.FocusList();
        return 0;
      }
      if (wp == VK_RETURN) {
        frame_.ApplySearch();
        return 0;
      }
      if (wp == 'A' && ::GetKeyState(VK_CONTROL) < 0) {
        ::SendMessageW(GetSafeHwnd(), EM_SETSEL, 0, -1);
        return 0;
      }
      break;
    case WM_CHAR:
      // Tab, Enter and Ctrl+A were handled as keys; as characters they would only beep.
      if (wp == L'\t' || wp == L'\r' || wp == 1) return 0;
      break;
    case WM_SETFOCUS: {
      const LRESULT result = CWnd::WindowProc(msg, wp, lp);
      // Posted: a click that gave the focus places the caret after this message.
      ::PostMessageW(GetSafeHwnd(), EM_SETSEL, 0, -1);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = CWnd::WindowProc(msg, wp, lp);
      frame_.ApplySearch();
      return result;
    }
    default:
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

CPadDialogBar::CPadDialogBar(CPadFrame& frame) : CDialog(IDR_PAD), frame_(frame), search_(frame) {}

bool CPadDialogBar::Create(HWND parent) {
  HWND h = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId()), parent, StaticDialogProc,
                                reinterpret_cast<LPARAM>(static_cast<CDialog*>(this)));
  if (!h) return false;
  category_.SubclassDlgItem(IDC_PAD_CATEGORY, h);
  search_.SubclassDlgItem(IDC_PAD_SEARCH, h);
  ::ShowWindow(h, SW_SHOW);
  return true;
}

void CPadDialogBar::FillCategories(const CategoryList& categories, HIMAGELIST icons) {
  category_.SetImages(icons);
  category_.FillFilter(categories);
}

int CPadDialogBar::ShowFilter(int filter) { return category_.ShowFilter(filter); }

int CPadDialogBar::ChosenFilter() const { return category_.SelectedId(CCateComboBoxEx::kAllOfInterest); }

std::wstring CPadDialogBar::SearchText() const {
  const int n = ::GetWindowTextLengthW(search_.GetSafeHwnd());
  std::vector<wchar_t> buf(static_cast<size_t>(n) + 1);
  ::GetWindowTextW(search_.GetSafeHwnd(), buf.data(), n + 1);
  return std::wstring(buf.data());
}

void CPadDialogBar::ClearSearch() {
  settingText_ = true;
  ::SetWindowTextW(search_.GetSafeHwnd(), L"");
  settingText_ = false;
}

int CPadDialogBar::height() const {
  RECT r{};
  ::GetWindowRect(GetSafeHwnd(), &r);
  return r.bottom - r.top;
}

void CPadDialogBar::Stretch(int width) {
  HWND edit = search_.GetSafeHwnd();
  if (!edit) return;
  RECT r{};
  ::GetWindowRect(edit, &r);
  ::MapWindowPoints(nullptr, GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
  RECT margin{0, 0, 2, 0};  // the template's right margin, in dialog units
  ::MapDialogRect(GetSafeHwnd(), &margin);
  const int right = std::max<int>(r.left + 20, width - margin.right);
  ::SetWindowPos(edit, nullptr, 0, 0, right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CPadDialogBar::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      return FALSE;  // the focus stays where it is: the list takes it when the pad shows
    case WM_SIZE:
      Stretch(LOWORD(lp));
      return TRUE;
    default:
      return CDialog::DialogProc(msg, wp, lp);
  }
}

bool CPadDialogBar::OnCommand(UINT id, UINT code, HWND) {
  if (id == IDC_PAD_CATEGORY && code == CBN_SELCHANGE) {
    frame_.FilterChosen();
    return true;
  }
  if (id == IDC_PAD_SEARCH && code == EN_CHANGE) {
    if (!settingText_) frame_.SearchEdited();
    return true;
  }
  return false;
}

}  // namespace zavra
