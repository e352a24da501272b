#include "wizard/ZavraSwizDlg_win.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/ZavraSwiz_res.h"
#include "schedule/RecurrenceText.h"
#include "store/StoreWin.h"
#include "wizard/HotKeys.h"
#include "wizard/InstallFolder.h"
#include "wizard/ShellLink_win.h"
#include "wizard/ShortcutNames.h"
#include "wizard/WizardCategories.h"
#include <shlwapi.h>

namespace zavra {

namespace {

constexpr int kLocationDesktop = 1;

std::u16string Res(UINT id) { return ToU16(LoadResString(id)); }

std::wstring KeyName(UINT vk, bool extended) {
  LONG lParam = static_cast<LONG>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
  if (extended) lParam |= 1 << 24;
  wchar_t name[64] = {};
  if (::GetKeyNameTextW(lParam, name, 64) > 0) return name;
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::wstring(1, static_cast<wchar_t>(vk));
  wchar_t code[8] = {};
  ::wsprintfW(code, L"#%u", vk);
  return code;
}

// As the hot-key control shows it: "Ctrl + Alt + N".
std::wstring HotKeyText(WORD hotKey) {
  const uint8_t mods = HotKeyModifiers(hotKey);
  std::wstring text;
  const struct {
    uint8_t flag;
    UINT vk;
  } parts[] = {{kHotKeyControl, VK_CONTROL}, {kHotKeyShift, VK_SHIFT}, {kHotKeyAlt, VK_MENU}};
  for (const auto& p : parts)
    if (mods & p.flag) text += KeyName(p.vk, false) + L" + ";
  return text + KeyName(HotKeyKey(hotKey), (mods & kHotKeyExtended) != 0);
}

// Whether a running program has registered the combination for itself.
bool HotKeyTakenBySystem(HWND probe, WORD hotKey) {
  const uint8_t mods = HotKeyModifiers(hotKey);
  UINT modifiers = 0;
  if (mods & kHotKeyShift) modifiers |= MOD_SHIFT;
  if (mods & kHotKeyControl) modifiers |= MOD_CONTROL;
  if (mods & kHotKeyAlt) modifiers |= MOD_ALT;
  constexpr int kProbeId = 0x5A11;
  if (::RegisterHotKey(probe, kProbeId, modifiers, HotKeyKey(hotKey))) {
    ::UnregisterHotKey(probe, kProbeId);
    return false;
  }
  return ::GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

std::wstring FileStem(const std::u16string& path) {
  std::wstring name = ::PathFindFileNameW(AsWide(path));
  if (const size_t dot = name.rfind(L'.'); dot != std::wstring::npos) name.resize(dot);
  return name;
}

}  // namespace

CZavraSwizDlg::CZavraSwizDlg(WizardEnvironment env) : CDialog(IDD_SWIZ), env_(std::move(env)) {}

std::wstring CZavraSwizDlg::Caption() const {
  wchar_t caption[128] = {};
  ::GetWindowTextW(GetSafeHwnd(), caption, 128);
  return caption;
}

bool CZavraSwizDlg::OnInitDialog() {
  HWND dlg = GetSafeHwnd();
  if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SWIZ))) {
    ::SendMessageW(dlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(dlg, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  Win32FileSystem files;
  categories_ = ReadWizardCategories(files, ToU16(env_.dataFolder), Res(IDS_SWIZ_UNSORTED));
  for (const NOTE_CATE& c : categories_)
    ::SendDlgItemMessageW(dlg, IDC_SWIZ_CATEGORY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(c.name)));
  for (UINT id = IDS_SWIZ_ACTION_FIRST; id < IDS_SWIZ_ACTION_FIRST + kWizardActionCount; ++id)
    ::SendDlgItemMessageW(dlg, IDC_SWIZ_ACTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResString(id).c_str()));
  for (UINT id : {IDS_SWIZ_LOCATION_GROUP, IDS_SWIZ_LOCATION_DESKTOP})
    ::SendDlgItemMessageW(dlg, IDC_SWIZ_LOCATION, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(LoadResString(id).c_str()));
  ::SendDlgItemMessageW(dlg, IDC_SWIZ_HOTKEY, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S | HKCOMB_C | HKCOMB_A,
                        MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  CDialog::OnInitDialog();
  ProposeName();
  return true;
}

void CZavraSwizDlg::DoDataExchange(DataExchange& dx) {
  dx.Text(IDC_SWIZ_NAME, name_);
  dx.ComboIndex(IDC_SWIZ_LOCATION, location_);
  dx.ComboIndex(IDC_SWIZ_ACTION, action_);
  dx.ComboIndex(IDC_SWIZ_CATEGORY, category_);
  HWND hotKeyControl = ::GetDlgItem(GetSafeHwnd(), IDC_SWIZ_HOTKEY);
  if (dx.saving())
    hotKey_ = ApplyHotKeyRules(static_cast<WORD>(::SendMessageW(hotKeyControl, HKM_GETHOTKEY, 0, 0)));
  else
    ::SendMessageW(hotKeyControl, HKM_SETHOTKEY, hotKey_, 0);
}

bool CZavraSwizDlg::OnCommand(UINT id, UINT code, HWND) {
  if ((id == IDC_SWIZ_ACTION || id == IDC_SWIZ_CATEGORY) && code == CBN_SELCHANGE) {
    ProposeName();
    return true;
  }
  return false;
}

void CZavraSwizDlg::ProposeName() {
  HWND dlg = GetSafeHwnd();
  const int action = static_cast<int>(::SendDlgItemMessageW(dlg, IDC_SWIZ_ACTION, CB_GETCURSEL, 0, 0));
  const int row = static_cast<int>(::SendDlgItemMessageW(dlg, IDC_SWIZ_CATEGORY, CB_GETCURSEL, 0, 0));
  if (action < 0 || action >= kWizardActionCount) return;
  const std::u16string category =
      row >= 0 && static_cast<size_t>(row) < categories_.size() ? categories_[row].name : std::u16string();
  const std::u16string name =
      ProposeShortcutName(action, Res(IDS_SWIZ_ACTION_FIRST + static_cast<UINT>(action)), category);
  ::SetDlgItemTextW(dlg, IDC_SWIZ_NAME, AsWide(name));
}

bool CZavraSwizDlg::Ask(const std::wstring& question) {
  return ::MessageBoxW(GetSafeHwnd(), question.c_str(), Caption().c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void CZavraSwizDlg::Tell(const std::wstring& text, UINT icon) {
  ::MessageBoxW(GetSafeHwnd(), text.c_str(), Caption().c_str(), MB_OK | icon);
}

void CZavraSwizDlg::OnOK() {
  if (!UpdateData(true)) return;
  HWND dlg = GetSafeHwnd();
  switch (CreateShortcut()) {
    case Outcome::kCreated:
      Tell(ToWide(FormatText(Res(IDS_SWIZ_CREATED), {ToU16(name_)})), MB_ICONINFORMATION);
      if (::IsWindow(dlg)) EndDialog(IDOK);
      break;
    case Outcome::kFailed:
      Tell(LoadResString(IDS_SWIZ_FAILED), MB_ICONSTOP);
      break;
    case Outcome::kKept:
      break;
  }
}

CZavraSwizDlg::Outcome CZavraSwizDlg::CreateShortcut() {
  const auto cleaned = CleanShortcutName(ToU16(name_));
  if (!cleaned || category_ < 0 || static_cast<size_t>(category_) >= categories_.size() || action_ < 0 ||
      action_ >= kWizardActionCount)
    return Outcome::kFailed;
  const auto installFolder =
      ChooseInstallFolder(ReadRegisteredInstallFolder(env_), ToU16(env_.ownFolder),
                          [](const std::u16string& path) { return ::PathFileExistsW(AsWide(path)) != FALSE; });
  if (!installFolder) return Outcome::kFailed;
  // The program group is the installation's to make; without it there is nowhere to save.
  const std::wstring& location = location_ == kLocationDesktop ? env_.desktop : env_.programGroup;
  if (location.empty() || !::PathIsDirectoryW(location.c_str())) return Outcome::kFailed;

  const std::u16string path = JoinPath(ToU16(location), *cleaned + u".lnk");
  WORD replacedHotKey = 0;
  if (::PathFileExistsW(AsWide(path))) {
    if (const auto old = LoadShellLink(ToWide(path))) replacedHotKey = old->hotKey;
    if (!Ask(ToWide(FormatText(Res(IDS_SWIZ_REPLACE), {*cleaned})))) return Outcome::kKept;
  }
  if (HotKeyKey(hotKey_) != 0 && !AcceptHotKey(path, replacedHotKey)) {
    ::SetFocus(::GetDlgItem(GetSafeHwnd(), IDC_SWIZ_HOTKEY));
    return Outcome::kKept;
  }
  ShellLinkData link;
  link.target = ToWide(JoinPath(*installFolder, kLauncherFileName));
  link.arguments = ToWide(ShortcutArguments(action_, categories_[static_cast<size_t>(category_)].id));
  link.workingFolder = ToWide(*installFolder);
  link.hotKey = hotKey_;
  return SUCCEEDED(SaveShellLink(ToWide(path), link)) ? Outcome::kCreated : Outcome::kFailed;
}

bool CZavraSwizDlg::AcceptHotKey(const std::u16string& path, WORD replacedHotKey) {
  std::vector<ShortcutHotKey> shortcuts = ListShortcutHotKeys(env_.programGroup);
  if (env_.desktop != env_.programGroup) {
    auto more = ListShortcutHotKeys(env_.desktop);
    shortcuts.insert(shortcuts.end(), more.begin(), more.end());
  }
  const std::u16string keys = ToU16(HotKeyText(hotKey_));
  if (const ShortcutHotKey* owner = FindHotKeyOwner(shortcuts, hotKey_, path))
    return Ask(ToWide(FormatText(Res(IDS_SWIZ_HOTKEY_SHORTCUT), {keys, ToU16(FileStem(owner->path))})));
  // The shortcut being replaced may hold this very key in the shell already.
  if (replacedHotKey != 0 && SameHotKey(replacedHotKey, hotKey_)) return true;
  if (HotKeyTakenBySystem(GetSafeHwnd(), hotKey_))
    return Ask(ToWide(FormatText(Res(IDS_SWIZ_HOTKEY_TAKEN), {keys})));
  return true;
}

}  // namespace zavra
