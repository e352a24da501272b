#include "app/Associations_win.h"
#include "framework/Handles.h"
#include "framework/Win.h"
#include <shlobj.h>

namespace zavra {

namespace {

void SetDefaultValue(const wchar_t* key, const std::wstring& value) {
  RegKey k;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, k.put(), nullptr) !=
      ERROR_SUCCESS)
    return;
  ::RegSetValueExW(k.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

void RegisterShellAssociations(const std::wstring& programPath) {
  const std::wstring icon = L"\"" + programPath + L"\",-160";
  const std::wstring open = L"\"" + programPath + L"\" \"%1\"";
  SetDefaultValue(L"ZaVRA.zpn", L"ZaVRA Portable Note");
  SetDefaultValue(L"ZaVRA.zpn\\DefaultIcon", icon);
  SetDefaultValue(L"ZaVRA.zpn\\shell\\open\\command", open);
  SetDefaultValue(L"note", L"ZaVRA Note Protocol");
  SetDefaultValue(L"note\\DefaultIcon", icon);
  SetDefaultValue(L".zpn", L"ZaVRA.zpn");
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

}  // namespace zavra
