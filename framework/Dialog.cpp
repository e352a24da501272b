#include "framework/Dialog.h"
#include "framework/Application.h"
#include "framework/FrameworkRes.h"
#include "framework/Strings.h"
#include <cerrno>
#include <cwchar>
#include <vector>

namespace zavra {

namespace {

std::wstring WindowText(HWND h) {
  const int n = ::GetWindowTextLengthW(h);
  std::wstring s(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  const int got = ::GetWindowTextW(h, s.data(), static_cast<int>(s.size()));
  s.resize(static_cast<size_t>(got > 0 ? got : 0));
  return s;
}

bool ParseInt(const std::wstring& text, int& out) {
  const wchar_t* p = text.c_str();
  while (*p == L' ' || *p == L'\t') ++p;
  if (!*p) return false;
  wchar_t* end = nullptr;
  errno = 0;
  const long long v = std::wcstoll(p, &end, 10);
  while (*end == L' ' || *end == L'\t') ++end;
  if (*end || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
  out = static_cast<int>(v);
  return true;
}

bool IsComboBoxEx(HWND control) {
  wchar_t name[32] = {};
  ::GetClassNameW(control, name, 32);
  return ::lstrcmpiW(name, WC_COMBOBOXEXW) == 0;
}

LPARAM ComboItemData(HWND control, bool extended, INT_PTR index) {
  if (!extended) return ::SendMessageW(control, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_LPARAM;
  item.iItem = index;
  return ::SendMessageW(control, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : CB_ERR;
}

struct OwnedWindows {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM context) {
  auto* owned = reinterpret_cast<OwnedWindows*>(context);
  if (::GetWindow(window, GW_OWNER) == owned->owner) owned->found.push_back(window);
  return TRUE;
}

// Ends every dialog `owner` owns, the innermost first: ours directly, the system's (message
// boxes, file dialogs) through their Cancel command.
void CancelOwnedDialogs(HWND owner) {
  OwnedWindows owned{owner, {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&owned));
  for (HWND w : owned.found) {
    if (!::IsWindow(w)) continue;
    if (auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandle(w))) {
      dialog->CancelModal();
      continue;
    }
    CancelOwnedDialogs(w);
    wchar_t name[16] = {};
    ::GetClassNameW(w, name, 16);
    if (::lstrcmpW(name, L"#32770") == 0) ::PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
  }
}

}  // namespace

std::wstring MessageEnterInteger() { return LoadResString(IDS_FW_PARSE_INT); }

std::wstring MessageEnterIntegerBetween(int minValue, int maxValue) {
  return FormatArgs(LoadResString(IDS_FW_PARSE_INT_RANGE), {std::to_wstring(minValue), std::to_wstring(maxValue)});
}

void DataExchange::Fail(int id, const std::wstring& message) {
  if (failed_) return;
  failed_ = true;
  ::MessageBoxW(dialog_, message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
  if (HWND c = Control(id)) {
    ::SetFocus(c);
    ::SendMessageW(c, EM_SETSEL, 0, -1);
  }
}

void DataExchange::Text(int id, std::wstring& value, size_t maxChars) {
  if (failed_) return;
  if (saving_) {
    value = WindowText(Control(id));
    if (maxChars && value.size() > maxChars) value.resize(maxChars);
  } else {
    if (maxChars) ::SendMessageW(Control(id), EM_LIMITTEXT, maxChars, 0);
    ::SetWindowTextW(Control(id), value.c_str());
  }
}

void DataExchange::Int(int id, int& value) {
  if (failed_) return;
  if (saving_) {
    int v = 0;
    if (!ParseInt(WindowText(Control(id)), v)) return Fail(id, MessageEnterInteger());
    value = v;
  } else {
    ::SetWindowTextW(Control(id), std::to_wstring(value).c_str());
  }
}

void DataExchange::Int(int id, int& value, int minValue, int maxValue) {
  if (failed_) return;
  if (saving_) {
    int v = 0;
    if (!ParseInt(WindowText(Control(id)), v) || v < minValue || v > maxValue)
      return Fail(id, MessageEnterIntegerBetween(minValue, maxValue));
    value = v;
  } else {
    ::SetWindowTextW(Control(id), std::to_wstring(value).c_str());
  }
}

void DataExchange::Check(int id, bool& value) {
  if (failed_) return;
  if (saving_)
    value = ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  else
    ::SendMessageW(Control(id), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DataExchange::ComboIndex(int id, int& index) {
  if (failed_) return;
  if (saving_)
    index = static_cast<int>(::SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
  else
    ::SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DataExchange::ComboData(int id, LPARAM& data) {
  if (failed_) return;
  HWND c = Control(id);
  const bool extended = IsComboBoxEx(c);
  if (saving_) {
    const LRESULT selected = ::SendMessageW(c, CB_GETCURSEL, 0, 0);
    if (selected >= 0) data = ComboItemData(c, extended, selected);
    return;
  }
  const LRESULT count = ::SendMessageW(c, CB_GETCOUNT, 0, 0);
  LRESULT found = -1;
  for (LRESULT i = 0; i < count && found < 0; ++i)
    if (ComboItemData(c, extended, i) == data) found = i;
  ::SendMessageW(c, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void DataExchange::DateTime(int id, SYSTEMTIME& value) {
  if (failed_) return;
  HWND c = Control(id);
  if (saving_) {
    SYSTEMTIME shown{};
    if (DateTime_GetSystemtime(c, &shown) == GDT_VALID) value = shown;
  } else {
    DateTime_SetSystemtime(c, GDT_VALID, &value);
  }
}

void DataExchange::Radio(int firstId, int lastId, int& index) {
  if (failed_) return;
  if (saving_) {
    index = -1;
    for (int id = firstId; id <= lastId; ++id)
      if (::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED) {
        index = id - firstId;
        break;
      }
    return;
  }
  for (int id = firstId; id <= lastId; ++id)
    ::SendMessageW(Control(id), BM_SETCHECK, id - firstId == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

INT_PTR CDialog::DoModal(HWND parent) {
  modal_ = true;
  cancelled_ = false;
  return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent, StaticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::CreateModeless(HWND parent) {
  modal_ = false;
  cancelled_ = false;
  HWND h = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                StaticDialogProc, reinterpret_cast<LPARAM>(this));
  if (h) CApplication::AddModeless(h);
  return h != nullptr;
}

bool CDialog::UpdateData(bool save) {
  DataExchange dx(GetSafeHwnd(), save);
  DoDataExchange(dx);
  return !dx.failed();
}

void CDialog::EndDialog(INT_PTR result) {
  if (cancelled_) return;
  if (modal_)
    ::EndDialog(GetSafeHwnd(), result);
  else
    DestroyWindow();
}

void CDialog::CancelModal() {
  HWND self = GetSafeHwnd();
  if (!self || cancelled_) return;
  CancelOwnedDialogs(self);
  EndDialog(IDCANCEL);
  cancelled_ = true;
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

INT_PTR CDialog::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return TRUE;
      if (LOWORD(wp) == IDOK) {
        OnOK();
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL) {
        OnCancel();
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      if (!modal_) CApplication::RemoveModeless(GetSafeHwnd());
      return FALSE;
    default:
      return FALSE;
  }
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return DialogProc(msg, wp, lp); }

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  CDialog* self = static_cast<CDialog*>(FromHandle(hwnd));
  if (!self && msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lp);
    if (self) self->Attach(hwnd);
  }
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  try {
    result = self->DialogProc(msg, wp, lp);
  } catch (...) {
    result = FALSE;
  }
  if (msg == WM_NCDESTROY) {
    ::RemovePropW(hwnd, kObjectProp);
    self->hwnd_ = nullptr;
    self->PostNcDestroy();
  }
  return result;
}

}  // namespace zavra
