// Note windows of the real program: opened by a new note, back at the same place and topmost
// state after a restart.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "store/StoreWin.h"
#include <vector>

namespace zavra::test {
namespace {

std::vector<HWND> NoteWindows() {
  std::vector<HWND> found;
  HWND w = nullptr;
  while ((w = ::FindWindowExW(nullptr, w, nullptr, L"QZ[Note]")))
    if (::IsWindowVisible(w)) found.push_back(w);
  return found;
}

class NoteWindowsEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    StartFromUnsortedOnly();
  }
  void TearDown() override { StopResidentCopy(); }
  HWND StartAndWait() {
    main_ = Process::Start(BinDir() + L"notezavra.exe", L"");
    return WaitForMainWindow();
  }
  Process main_;
};

TEST_F(NoteWindowsEndToEnd, OpenNotesComeBackWhereTheyWereAfterARestart) {
  ASSERT_TRUE(StartAndWait());
  Process launcher = Process::Start(BinDir() + L"ZavraL.exe", L"/n1 Come back");
  EXPECT_EQ(launcher.Wait(5000), 0);
  std::vector<HWND> notes;
  ASSERT_TRUE(PumpUntil([&] { return (notes = NoteWindows()).size() == 1; }, 10000)) << "no note window opened";
  RECT before{};
  ::GetWindowRect(notes[0], &before);
  EXPECT_TRUE(::GetWindowLongW(notes[0], GWL_EXSTYLE) & WS_EX_TOPMOST) << "notes are on top by default";
  (void)SaveScreenshot(ScreenshotPath(L"e2e_new_note.png"));

  StopResidentCopy();
  EXPECT_TRUE(NoteWindows().empty());
  ASSERT_TRUE(StartAndWait());
  ASSERT_TRUE(PumpUntil([&] { return (notes = NoteWindows()).size() == 1; }, 10000)) << "the note did not come back";
  RECT after{};
  ::GetWindowRect(notes[0], &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_TRUE(::GetWindowLongW(notes[0], GWL_EXSTYLE) & WS_EX_TOPMOST);

  // "Keep Notes On Top" off: the window drops from the top, and stays so after a restart.
  ::SendMessageW(::FindWindowW(nullptr, L"Qel note ZaVRA"), WM_COMMAND, 32844, 0);
  PumpUntil([&] { return !(::GetWindowLongW(notes[0], GWL_EXSTYLE) & WS_EX_TOPMOST); }, 3000);
  EXPECT_FALSE(::GetWindowLongW(notes[0], GWL_EXSTYLE) & WS_EX_TOPMOST);
  StopResidentCopy();
  ASSERT_TRUE(StartAndWait());
  ASSERT_TRUE(PumpUntil([&] { return (notes = NoteWindows()).size() == 1; }, 10000));
  EXPECT_FALSE(::GetWindowLongW(notes[0], GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
}  // namespace zavra::test
