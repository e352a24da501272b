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

RECT WorkArea() {
  RECT r{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

// A plain top-level window to own tips and hold buttons.
class Host {
 public:
  Host() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"ZavraTipTestHost";
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"host", WS_POPUP | WS_VISIBLE, 20, 20, 300, 200, nullptr, nullptr,
                             wc.hInstance, nullptr);
  }
  ~Host() { ::DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST(TipWindow, SizedToItsRowsAndKeptOnTheWorkArea) {
  Host host;
  CTipWnd tip;
  tip.SetRows({L"A short row", L"A considerably longer second row of the tip"});
  const RECT work = WorkArea();
  ASSERT_TRUE(tip.ShowAt({work.right - 20, 100}, host.hwnd));
  RECT r{};
  ::GetWindowRect(tip, &r);
  EXPECT_EQ(r.right, work.right) << "moved left to stay fully visible";
  EXPECT_GT(r.right - r.left, 150);
  EXPECT_EQ(r.top, 100);
  EXPECT_TRUE(::IsWindowVisible(tip));
  EXPECT_NE(::GetForegroundWindow(), tip.GetSafeHwnd()) << "shown without activation";
  EXPECT_EQ(::GetWindow(tip, GW_OWNER), host.hwnd);
  EXPECT_EQ(::SendMessageW(tip, WM_NCHITTEST, 0, MAKELPARAM(r.left + 5, r.top + 5)), HTTRANSPARENT);
  const LONG ex = ::GetWindowLongW(tip, GWL_EXSTYLE);
  EXPECT_TRUE((ex & WS_EX_TOPMOST) && (ex & WS_EX_TOOLWINDOW));

  // The info background fills the tip and both rows were drawn in the info text colour.
  test::Pump(100);
  HDC dc = ::GetDC(tip);
  EXPECT_EQ(::GetPixel(dc, r.right - r.left - 4, r.bottom - r.top - 4), ::GetSysColor(COLOR_INFOBK));
  int inked = 0;
  for (int y = 0; y < r.bottom - r.top; ++y)
    for (int x = 0; x < r.right - r.left; ++x) inked += ::GetPixel(dc, x, y) != ::GetSysColor(COLOR_INFOBK);
  ::ReleaseDC(tip, dc);
  EXPECT_GT(inked, 100);

  tip.Hide();
  EXPECT_FALSE(tip.IsShown());
  tip.SetText(L"again");
  EXPECT_TRUE(tip.ShowAt({40, 40}, host.hwnd)) << "the object shows the next tip";
}

TEST(TipWindow, NoteSummaryOfAnOpenEndedSeries) {
  CTipWnd tip;
  NOTE_PAD note;
  note.text = u"Yoga\r\nbring the mat";
  note.flags = kNoteScheduled | kNoteOpenEnded;
  note.start = MachineLocalTime().DayStart(DayNumber(2026, 5, 4));
  note.timeFrom = 18 * 3600;
  note.timeTo = 19 * 3600;
  note.repeatKind = kRepeatDaily;
  tip.SetNoteSummary(note);
  ASSERT_EQ(tip.rows().size(), 4u);
  EXPECT_EQ(tip.rows()[0], L"Yoga");
  EXPECT_EQ(tip.rows()[1].substr(tip.rows()[1].size() - 3), L" ~ ") << "nothing after the tilde";
  EXPECT_NE(tip.rows()[1].find(L"2026"), std::wstring::npos);
  EXPECT_EQ(tip.rows()[2], L"Everyday");

  NOTE_PAD plain;
  plain.text = u"Groceries";
  plain.created = 1767225600;  // 2026-01-01 UTC
  tip.SetNoteSummary(plain);
  ASSERT_EQ(tip.rows().size(), 2u);
  EXPECT_EQ(tip.rows()[1].rfind(L"Created: ", 0), 0u) << "string 131";
}

TEST(TimeTipWindow, KeepsItsTopRightCornerAndItsWholeText) {
  Host host;
  CTimeTipWnd label;
  const int64_t t = 1767225600 + 12 * 3600;
  ASSERT_TRUE(label.Create(host.hwnd, t));
  EXPECT_EQ(label.text().find(L"\nNow  "), label.text().find(L'\n')) << label.text();
  wchar_t title[16] = {};
  ::GetWindowTextW(label, title, 16);
  EXPECT_STREQ(title, L"Now");
  EXPECT_TRUE(::GetWindowLongW(label, GWL_EXSTYLE) & WS_EX_LAYERED);
  label.PointAt({400, 300});
  RECT before{};
  ::GetWindowRect(label, &before);
  EXPECT_EQ(before.right - 1, 400) << "the arrow's point is where it was asked";
  EXPECT_EQ(before.top + (before.bottom - before.top) / 2, 300);

  // A date of another length: the label grows or shrinks to the left.
  label.SetTime(t + 250 * 86400);
  RECT after{};
  ::GetWindowRect(label, &after);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.top, before.top);
  EXPECT_GE(label.layout().text.right - label.layout().text.left, 1);

  // The text box holds the whole text as the label's font measures it.
  FontHandle font = NoteFont(nullptr, true);
  HDC dc = ::GetDC(label);
  RECT text{};
  {
    SelectObjectScope select(dc, font.get());
    ::DrawTextW(dc, label.text().c_str(), -1, &text, DT_CALCRECT | DT_NOPREFIX);
  }
  ::ReleaseDC(label, dc);
  EXPECT_GE(label.layout().text.right - label.layout().text.left, text.right - text.left);
  EXPECT_EQ(label.layout().text.bottom - label.layout().text.top, text.bottom - text.top);
  ::ShowWindow(label, SW_SHOWNOACTIVATE);
  test::Pump(150);
  EXPECT_EQ(::SendMessageW(label, WM_NCHITTEST, 0, MAKELPARAM(after.left + 2, after.top + 2)), HTTRANSPARENT);
}

// Draws a button's item into a bitmap through the reflection its parent uses.
std::vector<COLORREF> DrawButton(CCloseButton& button, bool pressed, int w, int h) {
  HDC screen = ::GetDC(nullptr);
  MemoryDC dc(::CreateCompatibleDC(screen));
  BitmapHandle bmp(::CreateCompatibleBitmap(screen, w, h));
  ::ReleaseDC(nullptr, screen);
  std::vector<COLORREF> pixels;
  SelectObjectScope select(dc.get(), bmp.get());
  RECT all{0, 0, w, h};
  ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = button;
  item.hDC = dc.get();
  item.rcItem = all;
  item.itemState = pressed ? ODS_SELECTED : 0;
  EXPECT_TRUE(CCloseButton::ReflectDrawItem(&item));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(::GetPixel(dc.get(), x, y));
  return pixels;
}

TEST(GlyphButton, CrossReleasedAndPressed) {
  Host host;
  const COLORREF blue = RGB(0, 0, 200), white = RGB(255, 255, 255);
  CCloseButton cross(kGlyphCross, L"", blue, white);
  ASSERT_TRUE(cross.Create(host.hwnd, 1001, {10, 10, 26, 24}));
  const int w = 16, h = 14;
  std::vector<COLORREF> released = DrawButton(cross, false, w, h);
  EXPECT_EQ(released[0], blue) << "frame";
  EXPECT_EQ(released[2 * w + 2], blue) << "the cross starts 2 pixels in";
  EXPECT_EQ(released[7 * w + 7], blue) << "and crosses the middle";
  EXPECT_NE(released[2 * w + 7], blue) << "inside, off the strokes";
  std::vector<COLORREF> pressed = DrawButton(cross, true, w, h);
  EXPECT_EQ(pressed[2 * w + 7], blue) << "pressed: filled with the main colour";
  EXPECT_EQ(pressed[2 * w + 2], white) << "and the glyph in the pressed-text colour";

  DRAWITEMSTRUCT foreign{};
  foreign.CtlType = ODT_BUTTON;
  foreign.hwndItem = host.hwnd;
  EXPECT_FALSE(CCloseButton::ReflectDrawItem(&foreign)) << "not one of ours";
}

TEST(GlyphButton, TextButtonIsSixteenPixelsWiderThanItsText) {
  Host host;
  CCloseButton today(kGlyphText, L"Today", RGB(0, 0, 0), RGB(255, 255, 255));
  ASSERT_TRUE(today.Create(host.hwnd, 1002, {10, 40, 11, 58}));
  RECT r{};
  ::GetWindowRect(today, &r);
  EXPECT_EQ(r.bottom - r.top, 18) << "height unchanged";
  // Measured the way the button does: regular 8-point Arial.
  ::LOGFONTW lf{};
  HDC dc = ::GetDC(today);
  lf.lfHeight = -::MulDiv(8, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  lf.lfCharSet = DEFAULT_CHARSET;
  ::lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  FontHandle font(::CreateFontIndirectW(&lf));
  SIZE size{};
  {
    SelectObjectScope select(dc, font.get());
    ::GetTextExtentPoint32W(dc, L"Today", 5, &size);
  }
  ::ReleaseDC(today, dc);
  EXPECT_EQ(r.right - r.left, size.cx + 16);
  EXPECT_GT(size.cx, 10);
}

}  // namespace
}  // namespace zavra

namespace zavra {
namespace {

LRESULT CALLBACK ButtonHostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DRAWITEM && CCloseButton::ReflectDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

// A hover tip, the "Now" label and a row of glyph buttons, saved as
// screenshots/notewnd_tips.png for a person to look at.
TEST(TipScreenshot, TipLabelAndButtons) {
  BrushHandle backdrop(::CreateSolidBrush(RGB(236, 233, 216)));
  WNDCLASSW wc{};
  wc.lpfnWndProc = ButtonHostProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = backdrop.get();
  wc.lpszClassName = L"ZavraTipScreenshotHost";
  ::RegisterClassW(&wc);
  HWND host = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 640, 260,
                                nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(host);
  std::vector<std::unique_ptr<CCloseButton>> buttons;
  const int kinds[] = {kGlyphCross, kGlyphBar, kGlyphLeft, kGlyphRight, kGlyphCheck, kGlyphBoldText, kGlyphText};
  int x = 20;
  for (int kind : kinds) {
    auto b = std::make_unique<CCloseButton>(kind, kind == kGlyphText ? L"Today" : L"B", RGB(40, 70, 160),
                                            RGB(255, 255, 255));
    ASSERT_TRUE(b->Create(host, 2000 + static_cast<UINT>(kind), {x, 200, x + 18, 216}));
    RECT r{};
    ::GetWindowRect(*b, &r);
    x += r.right - r.left + 6;
    buttons.push_back(std::move(b));
  }
  ::SendMessageW(*buttons[3], BM_SETSTATE, TRUE, 0);  // one of them pressed

  CTipWnd tip;
  tip.SetRows({L"Dentist appointment with the long name that a row shows whole", L"Tuesday, May 5, 2026 9:30:00 AM",
               L" ~ Tuesday, May 5, 2026 10:00:00 AM"});
  ASSERT_TRUE(tip.ShowAt({30, 30}, host));
  CTimeTipWnd label;
  ASSERT_TRUE(label.Create(host, SystemClockSeconds()));
  label.PointAt({600, 150});
  ::ShowWindow(label, SW_SHOWNOACTIVATE);
  test::Pump(600);
  EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(L"notewnd_tips.png")));

  // Outside the pennant's outline the label is see-through: the host's colour shows there.
  RECT r{};
  ::GetWindowRect(label, &r);
  HDC screen = ::GetDC(nullptr);
  const COLORREF corner = ::GetPixel(screen, r.right - 2, r.top + 1);
  const COLORREF body = ::GetPixel(screen, r.left + 2, r.top + (r.bottom - r.top) / 2);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(corner, RGB(236, 233, 216)) << "the colour key is transparent";
  EXPECT_EQ(body, ::GetSysColor(COLOR_INFOBK));
  label.Destroy();
  tip.Hide();
  buttons.clear();
  ::DestroyWindow(host);
}

}  // namespace
}  // namespace zavra
