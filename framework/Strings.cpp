#include "framework/Strings.h"
#include <vector>

namespace zavra {

std::wstring LoadResString(UINT id, HINSTANCE module) {
  if (!module) module = ::GetModuleHandleW(nullptr);
  const wchar_t* text = nullptr;
  // With a zero buffer size LoadStringW hands back a pointer into the resource itself.
  const int n = ::LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  return n > 0 && text ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

std::wstring FormatArgs(const std::wstring& pattern, std::initializer_list<std::wstring> args) {
  const std::vector<std::wstring> list(args);
  std::wstring out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size()) {
      const wchar_t c = pattern[i + 1];
      if (c == L'%') {
        out += L'%';
        ++i;
        continue;
      }
      if (c >= L'1' && c <= L'9') {
        const size_t k = static_cast<size_t>(c - L'1');
        if (k < list.size()) out += list[k];
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

}  // namespace zavra
