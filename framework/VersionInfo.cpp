#include "framework/VersionInfo.h"
#include <vector>

namespace zavra {

namespace {

std::wstring Value(const std::vector<BYTE>& block, const std::wstring& table, const wchar_t* name) {
  wchar_t* text = nullptr;
  UINT length = 0;
  const std::wstring path = L"\\StringFileInfo\\" + table + L"\\" + name;
  if (!::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return {};
  std::wstring value(text, length);
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

}  // namespace

ProgramVersion ReadProgramVersion(const std::wstring& file) {
  ProgramVersion version;
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return version;
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return version;
  // The first language the file lists, else US English in Unicode.
  std::wstring table = L"040904b0";
  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  UINT length = 0;
  if (::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) &&
      translations && length >= sizeof(Translation)) {
    wchar_t name[9] = {};
    ::wsprintfW(name, L"%04x%04x", translations->language, translations->codePage);
    table = name;
  }
  version.product = Value(block, table, L"ProductName");
  version.version = Value(block, table, L"ProductVersion");
  version.copyright = Value(block, table, L"LegalCopyright");
  return version;
}

ProgramVersion ReadProgramVersion() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? ReadProgramVersion(std::wstring(path, n)) : ProgramVersion{};
}

}  // namespace zavra
