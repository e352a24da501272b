// The skinned window's behaviour: states, animation, resizing, moving.
#include <gtest/gtest.h>

#include "skin/BkgWnd_win.h"
#include "skin/SkinLists_win.h"
#include "tests/skin/SkinWinSupport.h"

namespace zavra {
namespace {

using test::Pixel;
using test::TestNoteWnd;

constexpr COLORREF kRed = 0x000000FF;
constexpr COLORREF kGreen = 0x0000FF00;
constexpr COLORREF kBlue = 0x00FF0000;

class SkinBehaviourTest : public ::testing::Test {
 protected:
  void SetUp() override { test::SkinsFolder(); }

  // A skin with an animated GIF (red, green, blue; 10, 50 and 100 hundredths) animating
  // "Enable Unless: Active".
  SkinPtr AnimatedSkin() {
    test::WriteBytes(test::SkinFolder(L"Anim") + L"rgb.gif",
                     test::AnimatedGif(8, 8, {kRed, kGreen, kBlue}, {10, 50, 100}));
    SLAYER gif = test::Picture(L"rgb.gif", kImageOriginalSize, kAnchorTopLeft);
    gif.u.image.animCondition = kStateActive;
    return test::WriteSkin(L"Anim", {MakeLayer(kLayerPaper), gif});
  }
};

TEST_F(SkinBehaviourTest, AnimatedGifAdvancesByItsOwnDelays) {
  SkinPtr skin = AnimatedSkin();
  ASSERT_EQ(skin->size(), 2u);
  ASSERT_EQ(skin->image(1)->frames(), 3u);
  EXPECT_EQ(skin->stateMask(), kStateActive) << "the animation condition of an animated picture counts";
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(skin, RECT{0, 0, 60, 40}));
  wnd.Render();
  wnd.StartAnimations();
  ASSERT_TRUE(wnd.layerInfo(1).timerRunning);
  const COLORREF colours[] = {kRed, kGreen, kBlue};
  const UINT intervals[] = {100, 500, 1000};
  for (int step = 0; step < 4; ++step) {
    const uint32_t frame = wnd.layerInfo(1).frame;
    ASSERT_EQ(frame, static_cast<uint32_t>(step % 3));
    EXPECT_EQ(wnd.RenderToImage().at(3, 3), Pixel(colours[frame])) << "frame " << frame;
    EXPECT_EQ(wnd.animationInterval(1), intervals[frame]) << "timer of frame " << frame;
    ::SendMessageW(wnd, WM_TIMER, 1, 0);
  }
}

TEST_F(SkinBehaviourTest, AnimationRunsOnRealTimers) {
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(AnimatedSkin(), RECT{0, 0, 60, 40}));
  wnd.Render();
  // Time each frame change; a loaded machine may be late, never early.
  auto waitForFrame = [&](uint32_t frame) {
    const DWORD start = ::GetTickCount();
    while (wnd.layerInfo(1).frame != frame && ::GetTickCount() - start < 5000) test::PumpFor(5);
    EXPECT_EQ(wnd.layerInfo(1).frame, frame);
    return ::GetTickCount() - start;
  };
  wnd.StartAnimations();
  EXPECT_GE(waitForFrame(1), 80u) << "frame 0 lasts 100 ms";
  EXPECT_GE(waitForFrame(2), 460u) << "frame 1 lasts 500 ms";
  const DWORD third = waitForFrame(0);
  EXPECT_GE(third, 950u) << "frame 2 lasts 1000 ms";
  EXPECT_LT(third, 4000u);
}

TEST_F(SkinBehaviourTest, EnableUnlessActiveStopsOnActivationAndResumesAfter) {
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(AnimatedSkin(), RECT{0, 0, 60, 40}));
  wnd.Render();
  wnd.StartAnimations();
  ::SendMessageW(wnd, WM_TIMER, 1, 0);
  ASSERT_EQ(wnd.layerInfo(1).frame, 1u);
  ::SendMessageW(wnd, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(wnd.state() & kStateActive, kStateActive);
  ::SendMessageW(wnd, WM_TIMER, 1, 0);
  EXPECT_FALSE(wnd.layerInfo(1).timerRunning) << "the timer stops while active";
  EXPECT_EQ(wnd.layerInfo(1).frame, 1u) << "and the frame stays";
  ::SendMessageW(wnd, WM_TIMER, 1, 0);
  EXPECT_EQ(wnd.layerInfo(1).frame, 1u);
  ::SendMessageW(wnd, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(wnd.layerInfo(1).timerRunning) << "deactivation starts it again";
  EXPECT_EQ(wnd.animationInterval(1), 500u);
  ::SendMessageW(wnd, WM_TIMER, 1, 0);
  EXPECT_EQ(wnd.layerInfo(1).frame, 2u);
}

TEST_F(SkinBehaviourTest, StatesOutsideTheMaskDoNotRedraw) {
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(GetSkinByTitle(L""), RECT{0, 0, 60, 40}));
  wnd.Render();
  const int before = wnd.renderCount();
  wnd.SetState(kStatePopup | kStateAlarm, true);
  EXPECT_EQ(wnd.renderCount(), before) << "the default skin does not show Popup or Alarm";
  ::SendMessageW(wnd, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(wnd.renderCount(), before + 1) << "its border follows activation";
  // A click clears Popup and Alarm.
  ::SendMessageW(wnd, WM_RBUTTONDOWN, 0, MAKELPARAM(30, 20));
  EXPECT_EQ(wnd.state(), static_cast<uint32_t>(kStateActive));
}

TEST_F(SkinBehaviourTest, ClickRedrawsAPopupSkin) {
  SLAYER badge = MakeLayer(kLayerBorder, 0x81);  // "Hide Unless: Popup"
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(test::WriteSkin(L"PopupBadge", {MakeLayer(kLayerPaper), badge}), RECT{0, 0, 60, 40},
                       0x00FFFFFF, 0x00000000, 0x00000000));
  wnd.SetState(kStatePopup, true);
  EXPECT_EQ(wnd.RenderToImage().at(0, 0), Pixel(0)) << "the popup frame shows";
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
  ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
  EXPECT_EQ(wnd.state() & kStatePopup, 0u);
  EXPECT_EQ(wnd.RenderToImage().at(0, 0), Pixel(0x00FFFFFF)) << "gone after the click";
}

TEST_F(SkinBehaviourTest, ResizingFromTopLeftStopsAt32WithBottomRightFixed) {
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(GetSkinByTitle(L""), RECT{300, 300, 500, 400}));
  wnd.Render();
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  // 500 pixels right and down of where the button went down (client coordinates of the window then).
  ::SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(501, 501));
  ::SendMessageW(wnd, WM_LBUTTONUP, 0, 0);
  const RECT paper = wnd.PaperScreenRect();
  EXPECT_EQ(paper.left, 468);
  EXPECT_EQ(paper.top, 368);
  EXPECT_EQ(paper.right, 500);
  EXPECT_EQ(paper.bottom, 400);
  EXPECT_EQ(wnd.lastZone, 4);
  EXPECT_EQ(wnd.sizeChanges, 1);
  EXPECT_TRUE(wnd.movedOrResized());
  RECT window{};
  ::GetWindowRect(wnd, &window);
  EXPECT_EQ(window.left, 468);
  EXPECT_EQ(window.right - window.left, 32);
}

TEST_F(SkinBehaviourTest, ResizeGoesThroughTheAdjustHookAndEdgesMoveByZone) {
  TestNoteWnd wnd;
  wnd.adjust = [](int zone, RECT& r) { r.right = (r.right + 5) / 10 * 10; };  // snap the right edge
  ASSERT_TRUE(wnd.Open(GetSkinByTitle(L""), RECT{100, 100, 300, 200}));
  wnd.Render();
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(198, 50));  // right band
  ::SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(198 + 23, 50 + 40));
  ::SendMessageW(wnd, WM_LBUTTONUP, 0, 0);
  const RECT paper = wnd.PaperScreenRect();
  EXPECT_EQ(wnd.lastZone, 2);
  EXPECT_EQ(paper.left, 100);
  EXPECT_EQ(paper.top, 100);
  EXPECT_EQ(paper.right, 320) << "323 snapped by the hook";
  EXPECT_EQ(paper.bottom, 200) << "the right band moves only the right edge";
}

TEST_F(SkinBehaviourTest, FixedPaperCannotBeResized) {
  SLAYER paper = MakeLayer(kLayerPaper);
  paper.u.paper.sizeMode = 1;
  paper.u.paper.fixedWidth = 120;
  paper.u.paper.fixedHeight = 80;
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(test::WriteSkin(L"Fixed", {paper}), RECT{100, 100, 150, 150}));
  EXPECT_EQ(wnd.RenderToImage().width, 120);
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  ::SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 30));
  EXPECT_EQ(wnd.adjustCalls, 0);
  EXPECT_EQ(wnd.PaperScreenRect().right, 220);
}

TEST_F(SkinBehaviourTest, MoveLoopPlacesThePaperWhereTheHookSays) {
  ASSERT_TRUE(test::SavePicture(test::SkinFolder(L"Overhang") + L"p.png", L"image/png", 20, 20,
                                [](int, int) { return test::Opaque(kRed); }));
  TestNoteWnd wnd;
  wnd.adjust = [](int zone, RECT& r) { OffsetRect(&r, -(r.left % 50), 0); };  // snap left to 50s
  ASSERT_TRUE(wnd.Open(test::WriteSkin(L"Overhang", {MakeLayer(kLayerPaper),
                                                      test::Picture(L"p.png", 0, kAnchorTopLeft, -10, -10)}),
                       RECT{200, 200, 300, 260}));
  wnd.Render();
  ::SendMessageW(wnd, WM_ENTERSIZEMOVE, 0, 0);
  RECT proposed{};
  ::GetWindowRect(wnd, &proposed);
  ::OffsetRect(&proposed, 57, 12);  // paper to 257, snapped to 250
  ::SendMessageW(wnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(wnd.lastZone, 0);
  EXPECT_EQ(proposed.left, 250 - 10) << "paper at 250, window 10 further left";
  EXPECT_EQ(proposed.top, 212 - 10);
  EXPECT_EQ(proposed.right - proposed.left, 110);
  ::SetWindowPos(wnd, nullptr, proposed.left, proposed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(wnd, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_TRUE(wnd.movedOrResized());
  EXPECT_EQ(wnd.PaperScreenRect().left, 250);
  EXPECT_EQ(wnd.PaperScreenRect().top, 212);
}

TEST_F(SkinBehaviourTest, SettingTheSameSkinKeepsOneReference) {
  TestNoteWnd a, b;
  SkinPtr skin = GetSkinByTitle(L"");
  ASSERT_TRUE(a.Open(skin, RECT{0, 0, 50, 50}));
  ASSERT_TRUE(b.Open(skin, RECT{0, 0, 50, 50}));
  const int refs = skin->refs();
  a.SetSkin(GetSkinByTitle(L""));
  EXPECT_EQ(skin->refs(), refs);
  b.DestroyWindow();
  EXPECT_EQ(skin->refs(), refs - 1) << "a destroyed window lets go of its skin";
  EXPECT_EQ(a.RenderToImage().width, 50) << "the other window still draws";
}

}  // namespace
}  // namespace zavra

namespace zavra {
namespace {

TEST_F(SkinBehaviourTest, CursorShowsTheResizeZone) {
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Open(GetSkinByTitle(L""), RECT{200, 200, 400, 300}));
  wnd.Render();
  ::ShowWindow(wnd, SW_SHOWNOACTIVATE);
  struct Case {
    int x, y;
    const wchar_t* cursor;
  } cases[] = {{201, 250, IDC_SIZEWE}, {398, 250, IDC_SIZEWE}, {300, 202, IDC_SIZENS}, {300, 297, IDC_SIZENS},
               {201, 201, IDC_SIZENWSE}, {398, 298, IDC_SIZENWSE}, {398, 201, IDC_SIZENESW}, {202, 298, IDC_SIZENESW}};
  for (const Case& c : cases) {
    ASSERT_TRUE(::SetCursorPos(c.x, c.y));
    ::SetCursor(nullptr);
    EXPECT_EQ(::SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd.GetSafeHwnd()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, c.cursor)) << "at " << c.x << "," << c.y;
  }
  ::SetCursorPos(300, 250);  // inside: the system's cursor
  ::SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST(SkinWindowWithoutSkin, DrawsNothingAndLetsEverythingThrough) {
  TestNoteWnd wnd;
  ASSERT_TRUE(wnd.Create(RECT{10, 10, 60, 60}));
  wnd.Render();
  EXPECT_EQ(wnd.RenderToImage().width, 0);
  EXPECT_EQ(::SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(30, 30)), HTTRANSPARENT);
  EXPECT_EQ(wnd.renderCount(), 0);
}

}  // namespace
}  // namespace zavra
