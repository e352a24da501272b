#include "schedule/RecurrenceText.h"

namespace zavra {

namespace {

std::u16string Number(int64_t value) {
  std::u16string digits;
  const bool negative = value < 0;
  // Work on the magnitude as unsigned, so the most negative value has a magnitude too.
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

template <size_t N>
std::u16string_view Entry(const std::array<std::u16string, N>& table, int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(N)) return {};
  return table[static_cast<size_t>(index)];
}

}  // namespace

std::u16string FormatText(std::u16string_view format, std::initializer_list<TextArg> args) {
  std::u16string out;
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    const char16_t c = format[i];
    if (c != u'%' || i + 1 == format.size()) {
      out.push_back(c);
      continue;
    }
    const char16_t conversion = format[i + 1];
    if (conversion == u'%') {
      out.push_back(u'%');
      ++i;
    } else if (conversion == u'i' || conversion == u'd' || conversion == u's') {
      ++i;
      if (next == args.end()) continue;
      const TextArg& arg = *next++;
      const bool wantText = conversion == u's';
      if (wantText && arg.isText) out.append(arg.text);
      if (!wantText && !arg.isText) out.append(Number(arg.number));
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u16string DescribeRecurrence(int kind, int param, int interval, const CalendarNames& names) {
  const bool counted = interval > 1;
  const int low = param & 0xFF;
  const int ordinal = (low >> 4) > 4 ? 4 : (low >> 4);  // above 4 is searched as "last"
  const int weekday = low & 0x0F;
  const int month = (param >> 8) & 0xFF;
  if (kind < 30) return names.noRecurrence;
  if (kind < 60) return counted ? FormatText(names.everyNDays, {interval}) : names.everyday;
  if (kind < 90) {
    std::u16string text = counted ? FormatText(names.everyNWeeks, {interval}) : names.every;
    for (int day = 0; day < 7; ++day) {
      if (param & (1 << day)) {
        text.push_back(u' ');
        text.append(names.shortDayNames[static_cast<size_t>(day)]);
      }
    }
    return text;
  }
  if (kind < 120) {
    std::u16string text = kind == 91
        ? FormatText(names.nthWeekdayOf, {Entry(names.ordinals, ordinal), Entry(names.dayNames, weekday)})
        : FormatText(names.dayOf, {low});
    return text + (counted ? FormatText(names.everyNMonths, {interval}) : names.everyMonth);
  }
  if (kind < 150) {
    std::u16string text = kind == 121
        ? FormatText(names.nthWeekdayOfMonthOf, {Entry(names.ordinals, ordinal), Entry(names.dayNames, weekday),
                                                 Entry(names.monthNames, month - 1)})
        : FormatText(names.monthDayOf, {Entry(names.monthNames, month - 1), low});
    return text + (counted ? FormatText(names.everyNYears, {interval}) : names.everyYear);
  }
  return {};
}

}  // namespace zavra
