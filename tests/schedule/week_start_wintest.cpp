#include <gtest/gtest.h>

#include "schedule/WeekStart_win.h"

namespace zavra {
namespace {

TEST(WeekStart, ComesFromTheLocaleSundayBased) {
  EXPECT_EQ(LocaleFirstDayOfWeek(L"de-DE"), 1) << "Germany starts the week on Monday";
  EXPECT_EQ(LocaleFirstDayOfWeek(L"en-US"), 0) << "the United States start it on Sunday";
  EXPECT_EQ(LocaleFirstDayOfWeek(L"no-such-locale-name"), 0) << "an unreadable locale gives Sunday";
  const int user = UserFirstDayOfWeek();
  EXPECT_GE(user, 0);
  EXPECT_LE(user, 6);
}

}  // namespace
}  // namespace zavra
