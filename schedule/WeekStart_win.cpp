#include "schedule/WeekStart_win.h"

#include <windows.h>

#include <optional>

#include "schedule/CivilDate.h"

namespace zavra {

namespace {

std::optional<int> FromLocaleInfo(int written, DWORD value) {
  if (written == 0) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

int UserFirstDayOfWeek() {
  DWORD value = 0;
  const int written = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK | LOCALE_RETURN_NUMBER,
                                     reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(WCHAR));
  return FirstDayOfWeek(FromLocaleInfo(written, value));
}

int LocaleFirstDayOfWeek(const wchar_t* localeName) {
  DWORD value = 0;
  const int written = GetLocaleInfoEx(localeName, LOCALE_IFIRSTDAYOFWEEK | LOCALE_RETURN_NUMBER,
                                      reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(WCHAR));
  return FirstDayOfWeek(FromLocaleInfo(written, value));
}

}  // namespace zavra
