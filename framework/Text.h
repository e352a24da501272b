#pragma once
// The core keeps UTF-16 text as std::u16string; Win32 wants wchar_t, which is the same
// 16-bit unit on Windows, so these are plain copies.
#include <string>
#include <string_view>

namespace zavra {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

inline std::wstring ToWide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string ToU16(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }
inline const wchar_t* AsWide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

}  // namespace zavra
