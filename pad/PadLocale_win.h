#pragma once
// The pad's dates and times in the user's locale: the long date with short day and month
// names for days, the short date for weeks, the year and month for months, times without
// seconds.
#include <string>

#include "framework/Text.h"
#include "notewnd/LocaleText_win.h"
#include "pad/PadEntries.h"
#include "pad/PadText.h"

namespace zavra {

class LocalePadFormat final : public PadTimeFormat, public PadDateFormat {
 public:
  LocalePadFormat() : shortLong_(ToWide(ShortenLongDateFormat(ToU16(LocaleInfo(LOCALE_SLONGDATE))))) {}

  std::u16string Time(const LocalFields& t) const override { return LocaleTime(t.secondOfDay, false); }
  std::u16string Date(const LocalFields& d) const override { return ShortLongDate(d); }
  std::u16string ShortLongDate(const LocalFields& d) const override {
    return shortLong_.empty() ? LocaleDate(d, DATE_LONGDATE) : LocaleDate(d, 0, shortLong_.c_str());
  }
  std::u16string ShortDate(const LocalFields& d) const override { return LocaleDate(d, DATE_SHORTDATE); }
  std::u16string YearMonth(const LocalFields& d) const override { return LocaleDate(d, DATE_YEARMONTH); }

 private:
  std::wstring shortLong_;
};

}  // namespace zavra
