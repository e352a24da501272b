// The calendar of the real program: "ZavraL /c" opens it on this month, and it comes back where
// the user left it, after closing it and after a restart.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include <ctime>
#include <string>

namespace zavra::test {
namespace {

// The resident program's calendar; other tests may show calendars of their own meanwhile.
HWND ResidentCalendar(bool visibleOnly = true) {
  DWORD resident = 0;
  if (HWND main = ::FindWindowW(nullptr, L"Qel note ZaVRA")) ::GetWindowThreadProcessId(main, &resident);
  HWND w = nullptr;
  while ((w = ::FindWindowExW(nullptr, w, L"QelZavraCalendar", nullptr))) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(w, &owner);
    if (resident && owner == resident && (!visibleOnly || ::IsWindowVisible(w))) return w;
  }
  return nullptr;
}

std::wstring Caption(HWND w) {
  wchar_t text[256] = {};
  return std::wstring(text, static_cast<size_t>(::GetWindowTextW(w, text, 256)));
}

// The caption the calendar shows for the current month.
std::wstring ThisMonthsCaption() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  st.wDay = 1;
  wchar_t title[128] = {};
  ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_YEARMONTH, &st, nullptr, title, 128);
  return std::wstring(title) + L" - QZ[Calendar]";
}

class CalendarEndToEnd : public testing::Test {
 protected:
  void SetUp() override { StartFromUnsortedOnly(); }
  void TearDown() override { StopResidentCopy(); }
  void StartResident() {
    main_ = Process::Start(BinDir() + L"notezavra.exe", L"");
    ASSERT_TRUE(WaitForMainWindow());
  }
  HWND OpenWithLauncher() {
    EXPECT_EQ(Process::Start(BinDir() + L"ZavraL.exe", L"/c").Wait(5000), 0);
    HWND calendar = nullptr;
    PumpUntil([&] { return (calendar = ResidentCalendar()) != nullptr; }, 10000);
    return calendar;
  }
  static RECT RectOf(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
  }
  Process main_;
};

TEST_F(CalendarEndToEnd, OpensOnThisMonthAndComesBackWhereItWas) {
  StartResident();
  HWND calendar = OpenWithLauncher();
  ASSERT_TRUE(calendar) << "no calendar window";
  const std::wstring caption = ThisMonthsCaption();
  EXPECT_EQ(Caption(calendar), caption);
  (void)SaveScreenshot(ScreenshotPath(L"e2e_calendar.png"));

  ::SetWindowPos(calendar, nullptr, 50, 60, 700, 560, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT placed = RectOf(calendar);
  ::PostMessageW(calendar, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([] { return !ResidentCalendar(false); }, 10000)) << "still open";

  calendar = OpenWithLauncher();
  ASSERT_TRUE(calendar) << "the calendar did not open again";
  const RECT reopened = RectOf(calendar);
  EXPECT_TRUE(::EqualRect(&placed, &reopened)) << "not where it was closed";
  EXPECT_EQ(Caption(calendar), caption);

  // Open at the program's end: it keeps its place for the next run too.
  ::SetWindowPos(calendar, nullptr, 80, 40, 720, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT moved = RectOf(calendar);
  StopResidentCopy();
  StartResident();
  calendar = OpenWithLauncher();
  ASSERT_TRUE(calendar) << "no calendar after the restart";
  const RECT restarted = RectOf(calendar);
  EXPECT_TRUE(::EqualRect(&moved, &restarted)) << "not where it was at the end of the last run";
  EXPECT_EQ(Caption(calendar), caption);
}

}  // namespace
}  // namespace zavra::test
