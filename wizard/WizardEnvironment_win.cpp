#include "wizard/WizardEnvironment_win.h"
#include "framework/Handles.h"
#include "framework/Text.h"
#include "wizard/InstallFolder.h"
#include <shlobj.h>
#include <shlwapi.h>

namespace zavra {

namespace {

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path))) return {};
  return path;
}

std::wstring WithBackslash(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

}  // namespace

WizardEnvironment DefaultWizardEnvironment() {
  WizardEnvironment env;
  const std::wstring appData = ShellFolder(CSIDL_APPDATA);
  if (!appData.empty()) env.dataFolder = WithBackslash(appData) + L"noteZaVRA\\";
  const std::wstring programs = ShellFolder(CSIDL_PROGRAMS);
  if (!programs.empty()) env.programGroup = WithBackslash(programs) + L"Note Zavra";
  env.desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
  wchar_t self[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (n > 0 && n < MAX_PATH && ::PathRemoveFileSpecW(self)) env.ownFolder = self;
  return env;
}

std::optional<std::u16string> ReadRegisteredInstallFolder(const WizardEnvironment& env) {
  RegKey key;
  if (::RegOpenKeyExW(env.registryRoot, env.settingsKey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
    return std::nullopt;
  wchar_t value[kInstallFolderBuffer] = {};
  DWORD type = 0, bytes = sizeof value;
  if (::RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::wstring folder(value, bytes / sizeof(wchar_t));
  while (!folder.empty() && folder.back() == L'\0') folder.pop_back();
  return ToU16(folder);
}

}  // namespace zavra
