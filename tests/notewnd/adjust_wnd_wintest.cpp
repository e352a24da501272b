// The tracker-area editor: where it answers as a sizing edge or a caption, its smallest size,
// and the rectangle it hands back.
#include <gtest/gtest.h>

#include "WinTestUtil.h"
#include "notewnd/AdjustWnd_win.h"

namespace zavra {
namespace {

TEST(AdjustWnd, EdgesSizeTheInsideMovesAndItNeverGetsSmallerThan32) {
  CAdjustWnd editor;
  ASSERT_TRUE(editor.Create(RECT32{300, 200, 500, 300}, nullptr));
  int changes = 0;
  editor.SetOnChanged([&] { ++changes; });
  editor.Show(true);
  test::Pump(300);
  (void)test::SaveScreenshot(test::ScreenshotPath(L"tracker_area_editor.png"));
  wchar_t title[64] = {};
  ::GetWindowTextW(editor, title, 64);
  EXPECT_STREQ(title, L"Tracker Position");
  EXPECT_TRUE(::GetWindowLongW(editor, GWL_EXSTYLE) & WS_EX_TOPMOST);
  struct Case {
    int x, y;
    LRESULT hit;
  };
  const Case cases[] = {
      {300, 200, HTTOPLEFT}, {400, 202, HTTOP},    {499, 204, HTTOPRIGHT}, {302, 250, HTLEFT},
      {400, 250, HTCAPTION}, {305, 250, HTCAPTION}, {495, 250, HTRIGHT},   {300, 299, HTBOTTOMLEFT},
      {400, 296, HTBOTTOM},  {499, 299, HTBOTTOMRIGHT},
  };
  for (const Case& c : cases)
    EXPECT_EQ(::SendMessageW(editor, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), c.hit) << c.x << "," << c.y;
  MINMAXINFO info{};
  ::SendMessageW(editor, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 32);
  EXPECT_EQ(info.ptMinTrackSize.y, 32);

  ::SetWindowPos(editor, nullptr, 600, 400, 175, 430, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(editor, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(changes, 1);
  const RECT32 r = editor.Rect();
  EXPECT_EQ(r.left, 600);
  EXPECT_EQ(r.top, 400);
  EXPECT_EQ(r.right, 775);
  EXPECT_EQ(r.bottom, 830);
}

}  // namespace
}  // namespace zavra
