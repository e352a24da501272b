#include "app/CalendarNames_win.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"

namespace zavra {

namespace {

std::u16string LocaleText(LCID locale, LCTYPE type) {
  wchar_t buf[128] = {};
  const int n = ::GetLocaleInfoW(locale, type, buf, 128);
  return n > 1 ? ToU16(std::wstring(buf, static_cast<size_t>(n - 1))) : std::u16string();
}

void FromResource(std::u16string& target, HINSTANCE module, UINT id) {
  const std::wstring s = LoadResString(id, module);
  if (!s.empty()) target = ToU16(s);
}

}  // namespace

CalendarNames LoadCalendarNames(HINSTANCE module, LCID locale) {
  CalendarNames n;
  // The locale numbers its days from Monday (1) to Sunday (7); the tables start on Sunday.
  n.dayNames[0] = LocaleText(locale, LOCALE_SDAYNAME7);
  n.shortDayNames[0] = LocaleText(locale, LOCALE_SABBREVDAYNAME7);
  for (int d = 1; d < 7; ++d) {
    n.dayNames[d] = LocaleText(locale, LOCALE_SDAYNAME1 + d - 1);
    n.shortDayNames[d] = LocaleText(locale, LOCALE_SABBREVDAYNAME1 + d - 1);
  }
  for (int m = 0; m < 12; ++m) {
    n.monthNames[m] = LocaleText(locale, LOCALE_SMONTHNAME1 + m);
    n.shortMonthNames[m] = LocaleText(locale, LOCALE_SABBREVMONTHNAME1 + m);
  }
  const UINT ordinals[5] = {IDS_ORDINAL_1ST, IDS_ORDINAL_2ND, IDS_ORDINAL_3RD, IDS_ORDINAL_4TH, IDS_ORDINAL_LAST};
  for (int i = 0; i < 5; ++i) FromResource(n.ordinals[i], module, ordinals[i]);
  FromResource(n.noRecurrence, module, IDS_NO_RECURRENCE);
  FromResource(n.everyNDays, module, IDS_EVERY_N_DAYS);
  FromResource(n.everyday, module, IDS_EVERYDAY);
  FromResource(n.everyNWeeks, module, IDS_EVERY_N_WEEKS);
  FromResource(n.every, module, IDS_EVERY);
  FromResource(n.nthWeekdayOf, module, IDS_NTH_WEEKDAY_OF);
  FromResource(n.dayOf, module, IDS_DAY_N_OF);
  FromResource(n.nthWeekdayOfMonthOf, module, IDS_NTH_WEEKDAY_OF_MONTH_OF);
  FromResource(n.monthDayOf, module, IDS_MONTH_DAY_OF);
  FromResource(n.everyNMonths, module, IDS_EVERY_N_MONTHS);
  FromResource(n.everyMonth, module, IDS_EVERY_MONTH);
  FromResource(n.everyNYears, module, IDS_EVERY_N_YEARS);
  FromResource(n.everyYear, module, IDS_EVERY_YEAR);
  return n;
}

}  // namespace zavra
