#pragma once
// A recurrence rule in words. The names and phrases come from the user's locale and the string
// resources at start-up; here they are plain data, so the wording can be built and checked anywhere.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zavra {

struct CalendarNames {
  std::array<std::u16string, 7> dayNames;         // Sunday first
  std::array<std::u16string, 7> shortDayNames;    // Sunday first
  std::array<std::u16string, 12> monthNames;
  std::array<std::u16string, 12> shortMonthNames;
  std::array<std::u16string, 5> ordinals = {u"1st", u"2nd", u"3rd", u"4th", u"last"};

  std::u16string noRecurrence = u"No Recurrence";
  std::u16string everyNDays = u"Every %i days";
  std::u16string everyday = u"Everyday";
  std::u16string everyNWeeks = u"Every %i weeks";
  std::u16string every = u"Every";
  std::u16string nthWeekdayOf = u"The %s %s of ";
  std::u16string dayOf = u"Day %i of ";
  std::u16string nthWeekdayOfMonthOf = u"The %s %s of %s of ";
  std::u16string monthDayOf = u"%s %i of ";
  std::u16string everyNMonths = u"every %i months";
  std::u16string everyMonth = u"every month";
  std::u16string everyNYears = u"every %i years";
  std::u16string everyYear = u"every year";
};

// One value for a %i (or %d) or %s of a format text.
struct TextArg {
  TextArg(int64_t number) : number(number) {}
  TextArg(std::u16string_view text) : isText(true), text(text) {}
  TextArg(const std::u16string& text) : isText(true), text(text) {}
  TextArg(const char16_t* text) : isText(true), text(text) {}
  bool isText = false;
  int64_t number = 0;
  std::u16string_view text;
};

// Fills %i, %d and %s from args in order and turns %% into %. The format comes from resources,
// so it is read, never executed: anything else after a % stays as it is, a missing or mismatched
// argument gives no text, surplus arguments are ignored.
std::u16string FormatText(std::u16string_view format, std::initializer_list<TextArg> args);

std::u16string DescribeRecurrence(int kind, int param, int interval, const CalendarNames& names);

}  // namespace zavra
