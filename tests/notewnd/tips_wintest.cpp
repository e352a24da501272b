// The tip windows and glyph buttons on the screen: sizes, places, what they answer to the
// mouse, and the pixels they draw.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "WinTestUtil.h"
#include "notewnd/CloseButton_win.h"
#include "notewnd/NoteIcons_win.h"
#include "notewnd/TipWnd_win.h"
#include "store/NoteStore.h"

namespace zavra {
namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DRAWITEM && CCloseButton::ReflectDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

// A plain top-level window to own tips and hold buttons, in a colour of its own.
class Host {
 public:
  explicit Host(int width = 300, int height = 200, int top = 0) : brush_(::CreateSolidBrush(kColor)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = brush_.get();
    wc.lpszClassName = L"ZavraTipTestHost";
    ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"host", WS_POPUP | WS_VISIBLE, 0, top, width, height,
                             nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~Host() { ::DestroyWindow(hwnd); }
  static constexpr COLORREF kColor = RGB(236, 233, 216);
  BrushHandle brush_;
  HWND hwnd;
};

TEST(TipWindow, SizedToItsRowsAndKeptOnTheWorkArea) {
  Host host;
  CTipWnd tip;
  tip.SetRows({L"A short row", L"A considerably longer second row of the tip"});
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ASSERT_TRUE(tip.ShowAt({work.right - 20, 100}, host.hwnd));
  RECT r{};
  ::GetWindowRect(tip, &r);
  EXPECT_EQ(r.right, work.right) << "moved left to stay fully visible";
  EXPECT_GT(r.right - r.left, 150);
  EXPECT_EQ(r.top, 100);
  EXPECT_NE(::GetForegroundWindow(), tip.GetSafeHwnd()) << "shown without activation";
  EXPECT_EQ(::GetWindow(tip, GW_OWNER), host.hwnd);
  EXPECT_EQ(::SendMessageW(tip, WM_NCHITTEST, 0, MAKELPARAM(r.left + 5, r.top + 5)), HTTRANSPARENT);
  tip.Hide();
  EXPECT_FALSE(tip.IsShown());

  NOTE_PAD note;
  note.text = u"Yoga\r\nbring the mat";
  note.flags = kNoteScheduled | kNoteOpenEnded;
  note.start = MachineLocalTime().DayStart(DayNumber(2026, 5, 4));
  note.repeatKind = kRepeatDaily;
  tip.SetNoteSummary(note);
  ASSERT_EQ(tip.rows().size(), 4u);
  EXPECT_EQ(tip.rows()[0], L"Yoga");
  EXPECT_EQ(tip.rows()[1].substr(tip.rows()[1].size() - 3), L" ~ ") << "an open-ended series";
  EXPECT_EQ(tip.rows()[2], L"Everyday") << "the rule from the string table";
}

TEST(TimeTipWindow, KeepsItsTopRightCornerAndItsWholeText) {
  Host host;
  CTimeTipWnd label;
  const int64_t t = 1767225600 + 12 * 3600;  // 2026-01-01 12:00 UTC
  ASSERT_TRUE(label.Create(host.hwnd, t));
  EXPECT_NE(label.text().find(L"\nNow  "), std::wstring::npos) << label.text();
  EXPECT_TRUE(::GetWindowLongW(label, GWL_EXSTYLE) & WS_EX_LAYERED);
  label.PointAt({400, 300});
  RECT before{};
  ::GetWindowRect(label, &before);
  EXPECT_EQ(before.right - 1, 400) << "the arrow's point is where it was asked";
  EXPECT_EQ(before.top + (before.bottom - before.top) / 2, 300);

  label.SetTime(t + 250 * 86400);  // a date of another length: the label changes to the left
  RECT after{};
  ::GetWindowRect(label, &after);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.top, before.top);
  FontHandle font = NoteFont(nullptr, true);
  HDC dc = ::GetDC(label);
  RECT text{};
  {
    SelectObjectScope select(dc, font.get());
    ::DrawTextW(dc, label.text().c_str(), -1, &text, DT_CALCRECT | DT_NOPREFIX);
  }
  ::ReleaseDC(label, dc);
  EXPECT_GE(label.layout().text.right - label.layout().text.left, text.right - text.left) << "no part of it cut";
}

// Draws a button's item into a bitmap through the reflection its parent uses.
std::vector<COLORREF> DrawButton(CCloseButton& button, bool pressed, int w, int h) {
  HDC screen = ::GetDC(nullptr);
  MemoryDC dc(::CreateCompatibleDC(screen));
  BitmapHandle bmp(::CreateCompatibleBitmap(screen, w, h));
  ::ReleaseDC(nullptr, screen);
  SelectObjectScope select(dc.get(), bmp.get());
  DRAWITEMSTRUCT item{ODT_BUTTON, 0, 0, 0, static_cast<UINT>(pressed ? ODS_SELECTED : 0), button, dc.get(), {0, 0, w, h}};
  EXPECT_TRUE(CCloseButton::ReflectDrawItem(&item));
  std::vector<COLORREF> pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(::GetPixel(dc.get(), x, y));
  return pixels;
}

TEST(GlyphButton, CrossAndTextButtons) {
  Host host;
  const COLORREF blue = RGB(0, 0, 200), white = RGB(255, 255, 255);
  CCloseButton cross(kGlyphCross, L"", blue, white);
  ASSERT_TRUE(cross.Create(host.hwnd, 1001, {10, 10, 26, 24}));
  const int w = 16;
  const std::vector<COLORREF> released = DrawButton(cross, false, w, 14);
  EXPECT_EQ(released[0], blue) << "frame";
  EXPECT_EQ(released[2 * w + 2], blue) << "the cross starts 2 pixels in";
  EXPECT_EQ(released[7 * w + 7], blue) << "and crosses the middle";
  EXPECT_NE(released[2 * w + 7], blue) << "inside, off the strokes";
  const std::vector<COLORREF> pressed = DrawButton(cross, true, w, 14);
  EXPECT_EQ(pressed[2 * w + 7], blue) << "pressed: filled with the main colour";
  EXPECT_EQ(pressed[2 * w + 2], white) << "and the glyph in the pressed-text colour";
  DRAWITEMSTRUCT foreign{ODT_BUTTON};
  foreign.hwndItem = host.hwnd;
  EXPECT_FALSE(CCloseButton::ReflectDrawItem(&foreign)) << "not one of ours";

  CCloseButton today(kGlyphText, L"Today", blue, white);
  ASSERT_TRUE(today.Create(host.hwnd, 1002, {10, 40, 11, 58}));
  RECT r{};
  ::GetWindowRect(today, &r);
  ::LOGFONTW lf{};
  HDC dc = ::GetDC(today);
  lf.lfHeight = -::MulDiv(8, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  ::lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  FontHandle font(::CreateFontIndirectW(&lf));
  SIZE size{};
  {
    SelectObjectScope select(dc, font.get());
    ::GetTextExtentPoint32W(dc, L"Today", 5, &size);
  }
  ::ReleaseDC(today, dc);
  EXPECT_EQ(r.right - r.left, size.cx + 16) << "16 pixels wider than its text";
  EXPECT_EQ(r.bottom - r.top, 18) << "height unchanged";
}

// A hover tip, the "Now" label and a row of glyph buttons, saved as
// screenshots/notewnd_tips.png for a person to look at.
TEST(TipScreenshot, TipLabelAndButtons) {
  // Low on the screen, where the other tests' windows do not come.
  Host host(370, 260, 740);
  std::vector<std::unique_ptr<CCloseButton>> buttons;
  int x = 20;
  for (int kind : {kGlyphCross, kGlyphBar, kGlyphLeft, kGlyphRight, kGlyphCheck, kGlyphBoldText, kGlyphText}) {
    buttons.push_back(std::make_unique<CCloseButton>(kind, kind == kGlyphText ? L"Today" : L"B", RGB(40, 70, 160),
                                                     RGB(255, 255, 255)));
    ASSERT_TRUE(buttons.back()->Create(host.hwnd, 2000 + static_cast<UINT>(kind), {x, 220, x + 18, 236}));
    RECT r{};
    ::GetWindowRect(*buttons.back(), &r);
    x += r.right - r.left + 6;
  }
  ::SendMessageW(*buttons[3], BM_SETSTATE, TRUE, 0);  // one of them pressed
  CTipWnd tip;
  tip.SetRows({L"Dentist appointment with a long name", L"Tuesday, May 5, 2026 9:30:00 AM",
               L" ~ Tuesday, May 5, 2026 10:00:00 AM"});
  ASSERT_TRUE(tip.ShowAt({20, 760}, host.hwnd));
  CTimeTipWnd label;
  ASSERT_TRUE(label.Create(host.hwnd, SystemClockSeconds()));
  label.PointAt({360, 880});
  test::Pump(600);
  EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(L"notewnd_tips.png")));

  // Outside the pennant's outline the label is see-through: the host's colour shows there.
  RECT r{};
  ::GetWindowRect(label, &r);
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(::GetPixel(screen, r.right - 2, r.top + 1), Host::kColor) << "the colour key is transparent";
  EXPECT_EQ(::GetPixel(screen, r.left + 2, r.top + (r.bottom - r.top) / 2), ::GetSysColor(COLOR_INFOBK));
  ::ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace zavra
