#include "app/Folders_win.h"
#include "framework/Win.h"
#include <shlobj.h>
#include <shlwapi.h>

namespace zavra {

namespace {
std::wstring WithBackslash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}
}  // namespace

AppFolders PrepareFolders(bool& createdData) {
  AppFolders f;
  wchar_t buf[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, buf, MAX_PATH);
  ::PathRemoveFileSpecW(buf);
  f.program = WithBackslash(buf);

  wchar_t appData[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData)))
    f.data = WithBackslash(appData) + L"noteZaVRA\\";
  else
    f.data = f.program + L"users\\default\\";
  f.iconStrip = f.program + L"icons.bmp";

  wchar_t documents[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, documents)))
    f.skins = WithBackslash(documents) + L"ZaVRA Skins\\";
  else
    f.skins = L"C:\\ZaVRA Skins\\";

  createdData = ::CreateDirectoryW(f.data.c_str(), nullptr) != FALSE;
  return f;
}

}  // namespace zavra
