#include <gtest/gtest.h>
#include "app/CalendarNames_win.h"

namespace zavra {
namespace {

TEST(CalendarNames, EnglishTablesStartOnSunday) {
  const CalendarNames n = LoadCalendarNames(nullptr, MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
  EXPECT_EQ(n.dayNames[0], u"Sunday");
  EXPECT_EQ(n.dayNames[1], u"Monday");
  EXPECT_EQ(n.dayNames[6], u"Saturday");
  EXPECT_EQ(n.shortDayNames[0], u"Sun");
  EXPECT_EQ(n.monthNames[0], u"January");
  EXPECT_EQ(n.monthNames[11], u"December");
  EXPECT_EQ(n.shortMonthNames[2], u"Mar");
  // The test program carries no phrase resources: the built-in texts stay.
  EXPECT_EQ(n.ordinals[4], u"last");
  EXPECT_EQ(n.everyNWeeks, u"Every %i weeks");
}

TEST(CalendarNames, GermanLocaleGivesGermanNames) {
  const CalendarNames n = LoadCalendarNames(nullptr, MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
  EXPECT_EQ(n.dayNames[0], u"Sonntag");
  EXPECT_EQ(n.dayNames[1], u"Montag");
  EXPECT_EQ(n.monthNames[2], u"M\u00e4rz");
  const std::u16string description = DescribeRecurrence(121, (3 << 8) | (4 << 4) | 5, 1, n);
  EXPECT_EQ(description, u"The last Freitag of M\u00e4rz of every year");
}

}  // namespace
}  // namespace zavra
