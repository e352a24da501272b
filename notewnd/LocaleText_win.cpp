#include "notewnd/LocaleText_win.h"

#include <algorithm>

#include "framework/Text.h"

namespace zavra {

SYSTEMTIME ToSystemTime(const LocalFields& f) {
  SYSTEMTIME st{};
  // SYSTEMTIME holds years 1601 to 30827; the schedule clamps its times to 1-9999.
  st.wYear = static_cast<WORD>(std::clamp<int64_t>(f.year, 1601, 9999));
  st.wMonth = static_cast<WORD>(f.month);
  st.wDay = static_cast<WORD>(f.day);
  st.wDayOfWeek = static_cast<WORD>(f.weekday);
  st.wHour = static_cast<WORD>(f.secondOfDay / 3600);
  st.wMinute = static_cast<WORD>(f.secondOfDay / 60 % 60);
  st.wSecond = static_cast<WORD>(f.secondOfDay % 60);
  return st;
}

std::u16string LocaleDate(const LocalFields& date, DWORD flags, const wchar_t* picture) {
  const SYSTEMTIME st = ToSystemTime(date);
  wchar_t buf[160] = {};
  if (::GetDateFormatW(LOCALE_USER_DEFAULT, picture ? 0 : flags, &st, picture, buf, 160) <= 0) return {};
  return ToU16(buf);
}

std::u16string LocaleTime(int secondOfDay, bool withSeconds) {
  LocalFields f;
  f.secondOfDay = std::clamp(secondOfDay, 0, 86399);
  const SYSTEMTIME st = ToSystemTime(f);
  wchar_t buf[96] = {};
  if (::GetTimeFormatW(LOCALE_USER_DEFAULT, withSeconds ? 0 : TIME_NOSECONDS, &st, nullptr, buf, 96) <= 0) return {};
  return ToU16(buf);
}

std::wstring LocaleInfo(LCTYPE type) {
  wchar_t buf[160] = {};
  const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 160);
  return n > 1 ? std::wstring(buf, static_cast<size_t>(n - 1)) : std::wstring();
}

}  // namespace zavra
