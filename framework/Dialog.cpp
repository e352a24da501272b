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

INT_PTR CDialog::DoModal(HWND parent) {
  modal_ = true;
  return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent, StaticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::CreateModeless(HWND parent) {
  modal_ = false;
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
  if (modal_)
    ::EndDialog(GetSafeHwnd(), result);
  else
    DestroyWindow();
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
