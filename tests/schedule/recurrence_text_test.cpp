#include <gtest/gtest.h>

#include <string>

#include "schedule/RecurrenceText.h"

namespace zavra {
namespace {

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

CalendarNames EnglishNames() {
  CalendarNames n;
  n.dayNames = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  n.shortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  n.monthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                  u"July",    u"August",   u"September", u"October", u"November", u"December"};
  n.shortMonthNames = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                       u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  return n;
}

TEST(RecurrenceText, DescribesEveryRuleKind) {
  const CalendarNames names = EnglishNames();
  struct Case { int kind, param, interval; const char16_t* text; };
  const Case cases[] = {
      {1, 0, 1, u"No Recurrence"},
      {0, 77, 9, u"No Recurrence"},
      {30, 0, 1, u"Everyday"},
      {30, 0, 0, u"Everyday"},
      {30, 0, 3, u"Every 3 days"},
      {60, 0x12, 2, u"Every 2 weeks Mon Thu"},
      {60, 0x7F, 1, u"Every Sun Mon Tue Wed Thu Fri Sat"},
      {60, 0x41, 0, u"Every Sun Sat"},
      {60, 0, 1, u"Every"},
      {90, 31, 1, u"Day 31 of every month"},
      {90, 15, 6, u"Day 15 of every 6 months"},
      {91, 4 << 4 | 5, 1, u"The last Friday of every month"},
      {91, 1 << 4 | 2, 0, u"The 2nd Tuesday of every month"},
      {91, 0 << 4 | 0, 2, u"The 1st Sunday of every 2 months"},
      {120, 2 << 8 | 29, 1, u"February 29 of every year"},
      {120, 12 << 8 | 25, 0, u"December 25 of every year"},
      {120, 1 << 8 | 1, 4, u"January 1 of every 4 years"},
      {121, 3 << 8 | 4 << 4 | 5, 1, u"The last Friday of March of every year"},
      {121, 11 << 8 | 3 << 4 | 4, 2, u"The 4th Thursday of November of every 2 years"},
      {149, 6 << 8 | 6, 1, u"June 6 of every year"},
      {150, 6 << 8 | 6, 1, u""},
      {255, 0, 1, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Narrow(DescribeRecurrence(c.kind, c.param, c.interval, names)), Narrow(c.text))
        << "kind " << c.kind << " param " << c.param << " interval " << c.interval;
}

TEST(RecurrenceText, OutOfRangeFieldsGiveEmptyNamesNotCrashes) {
  const CalendarNames names = EnglishNames();
  EXPECT_EQ(Narrow(DescribeRecurrence(91, 15 << 4 | 12, 1, names)), "The last  of every month");
  EXPECT_EQ(Narrow(DescribeRecurrence(120, 13 << 8 | 5, 1, names)), " 5 of every year");
  EXPECT_EQ(Narrow(DescribeRecurrence(121, 0 << 8 | 0x0F, 1, names)), "The 1st  of  of every year");
  EXPECT_EQ(Narrow(DescribeRecurrence(90, 0, 200, names)), "Day 0 of every 200 months");
}

TEST(RecurrenceText, UsesThePhrasesItIsGiven) {
  CalendarNames names = EnglishNames();
  names.shortDayNames[1] = u"Mo";
  names.everyNWeeks = u"Alle %i Wochen";
  names.dayOf = u"Am %i. ";
  names.everyMonth = u"jeden Monat";
  EXPECT_EQ(Narrow(DescribeRecurrence(60, 0x2, 2, names)), "Alle 2 Wochen Mo");
  EXPECT_EQ(Narrow(DescribeRecurrence(90, 3, 1, names)), "Am 3. jeden Monat");
}

TEST(RecurrenceText, FormatTextFillsOnlyWhatItUnderstands) {
  const int64_t zero = 0;
  EXPECT_EQ(Narrow(FormatText(u"%s has %i", {u"x", 7})), "x has 7");
  EXPECT_EQ(Narrow(FormatText(u"100%% %i", {7})), "100% 7") << "%% takes no argument";
  EXPECT_EQ(Narrow(FormatText(u"%n%x%5d %s", {u"x"})), "%n%x%5d x") << "unknown conversions stay as they are";
  EXPECT_EQ(Narrow(FormatText(u"%i,%s,%i", {u"x", 1})), ",,") << "a mismatched kind gives nothing";
  EXPECT_EQ(Narrow(FormatText(u"%i and %s", {})), " and ") << "missing arguments give nothing";
  EXPECT_EQ(Narrow(FormatText(u"trailing %", {1, 2})), "trailing %");
  EXPECT_EQ(Narrow(FormatText(u"%i|%d|%i", {zero, -5, INT64_MIN})), "0|-5|-9223372036854775808");
}

}  // namespace
}  // namespace zavra
