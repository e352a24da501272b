#include "wizard/ShellLink_win.h"
#include "framework/Handles.h"
#include "framework/Text.h"
#include "wizard/ShortcutNames.h"
#include <shlobj.h>

namespace zavra {

HRESULT SaveShellLink(const std::wstring& path, const ShellLinkData& link) {
  ComPtr<IShellLinkW> shellLink;
  HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.putVoid());
  if (FAILED(hr)) return hr;
  shellLink->SetPath(link.target.c_str());
  shellLink->SetArguments(link.arguments.c_str());
  shellLink->SetWorkingDirectory(link.workingFolder.c_str());
  shellLink->SetHotkey(link.hotKey);
  ComPtr<IPersistFile> file;
  hr = shellLink.As(file);
  if (FAILED(hr)) return hr;
  return file->Save(path.c_str(), TRUE);
}

std::optional<ShellLinkData> LoadShellLink(const std::wstring& path) {
  ComPtr<IShellLinkW> shellLink;
  ComPtr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                shellLink.putVoid())) ||
      FAILED(shellLink.As(file)) || FAILED(file->Load(path.c_str(), STGM_READ)))
    return std::nullopt;
  ShellLinkData link;
  wchar_t text[INFOTIPSIZE] = {};
  // No resolving: a shortcut whose target is gone still reports what it points at.
  if (SUCCEEDED(shellLink->GetPath(text, INFOTIPSIZE, nullptr, SLGP_RAWPATH))) link.target = text;
  text[0] = L'\0';
  if (SUCCEEDED(shellLink->GetArguments(text, INFOTIPSIZE))) link.arguments = text;
  text[0] = L'\0';
  if (SUCCEEDED(shellLink->GetWorkingDirectory(text, INFOTIPSIZE))) link.workingFolder = text;
  shellLink->GetHotkey(&link.hotKey);
  return link;
}

std::vector<ShortcutHotKey> ListShortcutHotKeys(const std::wstring& folder) {
  std::vector<ShortcutHotKey> found;
  const std::u16string base = ToU16(folder);
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileW(AsWide(JoinPath(base, u"*.lnk")), &data));
  if (!find) return found;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::u16string path = JoinPath(base, ToU16(data.cFileName));
    const auto link = LoadShellLink(ToWide(path));
    if (link && HotKeyKey(link->hotKey) != 0) found.push_back({path, link->hotKey});
  } while (::FindNextFileW(find.get(), &data));
  return found;
}

}  // namespace zavra
