#include "designer/DesignerUi_win.h"

#include "framework/Strings.h"
#include "resources/ZavraNd_res.h"
#include "skin/SkinLayer.h"

namespace zavra {

int DesignerMessage(HWND owner, UINT textId, UINT flags) {
  return ::MessageBoxW(owner, LoadResString(textId).c_str(), LoadResString(IDS_APP_NAME).c_str(), flags);
}

std::wstring FilterFromResource(UINT id) {
  std::wstring filter = LoadResString(id);
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  return filter;
}

void FillComboFromStrings(HWND dialog, int comboId, UINT firstId, int count) {
  HWND combo = ::GetDlgItem(dialog, comboId);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i) {
    const std::wstring text = LoadResString(firstId + static_cast<UINT>(i));
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void SetSpinRange(HWND dialog, int spinId, int low, int high) {
  ::SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
}

std::wstring DesignerCaption(const std::wstring& title) {
  const std::wstring pattern = LoadResString(IDS_CAPTION);
  const std::wstring args[2] = {title.empty() ? LoadResString(IDS_UNTITLED) : title, LoadResString(IDS_APP_NAME)};
  std::wstring out;
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' && next < 2) {
      out += args[next++];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

void ShowCondition(HWND dialog, const ConditionControls& c, int32_t condition) {
  ::SendDlgItemMessageW(dialog, c.mode, CB_SETCURSEL, condition & kConditionSense, 0);
  ::CheckDlgButton(dialog, c.active, (condition & kStateActive) ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(dialog, c.popup, (condition & kStatePopup) ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(dialog, c.alarm, (condition & kStateAlarm) ? BST_CHECKED : BST_UNCHECKED);
}

int32_t ReadCondition(HWND dialog, const ConditionControls& c) {
  int32_t condition = ::SendDlgItemMessageW(dialog, c.mode, CB_GETCURSEL, 0, 0) == 1 ? kConditionSense : 0;
  if (::IsDlgButtonChecked(dialog, c.active) == BST_CHECKED) condition |= kStateActive;
  if (::IsDlgButtonChecked(dialog, c.popup) == BST_CHECKED) condition |= kStatePopup;
  if (::IsDlgButtonChecked(dialog, c.alarm) == BST_CHECKED) condition |= kStateAlarm;
  return condition;
}

std::wstring ControlText(HWND dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  const int n = ::GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace zavra
