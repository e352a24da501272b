// The pad of the real program: opened by the launcher's "/p", back at its place when opened
// again and after a restart.
#include <gtest/gtest.h>

#include <string>

#include "WinTestUtil.h"
#include "e2e/Programs.h"

namespace zavra::test {
namespace {

HWND VisiblePad() {
  HWND w = ::FindWindowW(L"QZPad", nullptr);
  return w && ::IsWindowVisible(w) ? w : nullptr;
}

class PadEndToEnd : public testing::Test {
 protected:
  void SetUp() override { StartFromUnsortedOnly(); }
  void TearDown() override { StopResidentCopy(); }
  HWND StartMain() {
    main_ = Process::Start(BinDir() + L"notezavra.exe", L"");
    return WaitForMainWindow();
  }
  HWND Launch(const wchar_t* args) {
    Process launcher = Process::Start(BinDir() + L"ZavraL.exe", args);
    EXPECT_EQ(launcher.Wait(5000), 0);
    HWND pad = nullptr;
    PumpUntil([&] { return (pad = VisiblePad()) != nullptr; }, 10000);
    return pad;
  }
  static RECT Place(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
  }
  Process main_;
};

TEST_F(PadEndToEnd, LauncherOpensThePadWhichComesBackWhereItWas) {
  ASSERT_TRUE(StartMain());
  HWND pad = Launch(L"/p");
  ASSERT_TRUE(pad) << "ZavraL /p opened no pad";
  wchar_t caption[256] = {};
  ::GetWindowTextW(pad, caption, 256);
  EXPECT_NE(std::wstring(caption).find(L"(0 note) - QZ[Pad]"), std::wstring::npos) << caption;
  (void)SaveScreenshot(ScreenshotPath(L"e2e_pad.png"));

  ::SetWindowPos(pad, nullptr, 140, 60, 360, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT moved = Place(pad);
  ::PostMessageW(pad, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([] { return VisiblePad() == nullptr; }, 8000));
  pad = Launch(L"/p");
  ASSERT_TRUE(pad);
  RECT again = Place(pad);
  EXPECT_TRUE(::EqualRect(&moved, &again)) << "opened again where it was closed";

  // The program's end keeps the place too.
  StopResidentCopy();
  ASSERT_TRUE(StartMain());
  pad = Launch(L"/p");
  ASSERT_TRUE(pad);
  again = Place(pad);
  EXPECT_TRUE(::EqualRect(&moved, &again)) << "opened after a restart where it was";
}

}  // namespace
}  // namespace zavra::test
