#pragma once
// Dates and times in the user's locale, from the schedule's calendar fields (never the C
// runtime's idea of the zone), and the formats the tips, the pad and the calendar build on.
#include <cstdint>
#include <string>

#include "framework/Win.h"
#include "notewnd/TipLayout.h"
#include "schedule/LocalTime.h"

namespace zavra {

SYSTEMTIME ToSystemTime(const LocalFields& fields);
// GetDateFormatW with DATE_* flags, or with a picture ("ddd, MMM d yyyy") when one is given.
std::u16string LocaleDate(const LocalFields& date, DWORD flags, const wchar_t* picture = nullptr);
// GetTimeFormatW for a reading of the clock (seconds after midnight).
std::u16string LocaleTime(int secondOfDay, bool withSeconds);
// A value of the user's locale (LOCALE_SLONGDATE and the like); empty when it cannot be read.
std::wstring LocaleInfo(LCTYPE type);

// Long dates and times with seconds, as the note summaries show them.
class LocaleSummaryFormat final : public SummaryFormat {
 public:
  std::u16string LongDate(const LocalFields& date) const override { return LocaleDate(date, DATE_LONGDATE); }
  std::u16string TimeWithSeconds(int secondOfDay) const override { return LocaleTime(secondOfDay, true); }
};

}  // namespace zavra
