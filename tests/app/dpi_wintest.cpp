// Windows at the DPI of their monitor. DpiScreens runs only from tools/test-dpi.sh, once with
// the system at 96 DPI and once at 144 in a Wine prefix of its own: it shows a new note with a
// picture skin, its tracker, the calendar and the tray menu with its owner-drawn rows, saves the
// screen and writes their sizes, which the script compares. DpiChange sends the message a move
// to a monitor of another DPI brings.
#include "notewnd/TrackWnd_win.h"  // first: see there
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "WinTestUtil.h"
#include "framework/Dpi.h"
#include "notewnd/NoteWnd_win.h"
#include "pad/PadFrame_win.h"
#include "schedule/ScheduleWnd_win.h"
#include "skin/IconStrip_win.h"
#include "skin/LayersFile_win.h"
#include "skin/SkinLists_win.h"

namespace zavra::test {
namespace {

// A folder the script gave (a Unix path, drive Z:), or nothing.
std::wstring OutputFolder() {
  wchar_t out[MAX_PATH] = {};
  if (!::GetEnvironmentVariableW(L"ZAVRA_DPI_OUT", out, MAX_PATH)) return {};
  std::wstring dir = std::wstring(L"Z:") + out + L"\\";
  for (auto& c : dir)
    if (c == L'/') c = L'\\';
  return dir;
}

class Dpi : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&gdiplus_, &input, nullptr);
    skins_ = data_ + L"skins\\";
    ::CreateDirectoryW(skins_.c_str(), nullptr);
    InitSkinLists(skins_);
    AddCategory(1, u"Unsorted", 1);
    AddCategory(10001, u"Work", 3);
    AddCategory(10002, u"Home", 5);
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    FreeSkinLists();
    Gdiplus::GdiplusShutdown(gdiplus_);
  }

  // "Ribbon": a striped picture tiled along the top and a round badge hanging out at the
  // top-right, both drawn at 96 DPI, so their scaling shows.
  void MakeRibbonSkin() {
    const std::wstring folder = skins_ + L"Ribbon\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    Gdiplus::Bitmap stripes(12, 12, PixelFormat32bppARGB), badge(20, 20, PixelFormat32bppARGB);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x)
        stripes.SetPixel(x, y, ((x + y) / 3) % 2 ? Gdiplus::Color(255, 200, 60, 60) : Gdiplus::Color(255, 250, 240, 230));
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const int d = (x - 10) * (x - 10) + (y - 10) * (y - 10);
        badge.SetPixel(x, y, d < 81 ? Gdiplus::Color(255, 30, 120, 200) : Gdiplus::Color(0, 0, 0, 0));
      }
    const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    ASSERT_EQ(stripes.Save((folder + L"ribbon.png").c_str(), &png, nullptr), Gdiplus::Ok);
    ASSERT_EQ(badge.Save((folder + L"badge.png").c_str(), &png, nullptr), Gdiplus::Ok);
    SLAYER ribbon = MakeLayer(kLayerImage);
    ribbon.u.image.flags = kImageTile | kImageAdjustWidth;
    ribbon.u.image.anchor = kAnchorTop;
    SetLayerText(ribbon.u.image.picture, u"ribbon.png");
    SLAYER dot = MakeLayer(kLayerImage);
    dot.u.image.flags = kImageOriginalSize;
    dot.u.image.anchor = kAnchorTopRight;
    dot.u.image.offsetX = 8;
    dot.u.image.offsetY = -8;
    SetLayerText(dot.u.image.picture, u"badge.png");
    SLAYER text = MakeLayer(kLayerText);
    text.u.text = {4, 14, 4, 4};
    SLAYER icon = MakeLayer(kLayerNoteIcon);
    icon.u.icon = {kAnchorBottomLeft, 3, -3};
    const SLAYER layers[] = {MakeLayer(kLayerPaper), ribbon, MakeLayer(kLayerBorder), text, icon, dot};
    ASSERT_EQ(SaveLayersFile(folder, layers), kLayersOk);
  }

  // A new note's size at `left`, `top`, due in two hours, in its own look and skin.
  NOTE_PAD SavedNote(CMainWnd& main, int32_t left, int32_t top) {
    NOTE_PAD n;
    n.text = u"Dentist\r\nBring the card";
    n.category = 10001;
    n.flags = kNoteScheduled | kNoteOnCalendar | kNoteOwnSkin | kNoteOwnIcon | kNoteOwnPaperColor;
    n.skin = u"Ribbon";
    n.icon = 3;
    n.paperColor = RGB(255, 236, 150);
    const LocalFields due = MachineLocalTime().FieldsOf(Now() + 2 * 3600);
    n.start = n.end = MachineLocalTime().DayStart(due.dayNumber);
    n.timeFrom = due.secondOfDay;
    n.rect = {left, top, left + main.settings().noteWidth, top + main.settings().noteHeight};
    EXPECT_TRUE(store_->SaveNote(n));
    return n;
  }

  ULONG_PTR gdiplus_ = 0;
  std::wstring skins_;
};

int ImageSize(HIMAGELIST list) {
  int cx = 0, cy = 0;
  ::ImageList_GetIconSize(list, &cx, &cy);
  return cx;
}

RECT WindowRect(HWND h) {
  RECT r{};
  ::GetWindowRect(h, &r);
  return r;
}

// The visible popup menus, leftmost first.
std::vector<RECT> MenuWindows() {
  std::vector<RECT> menus;
  HWND h = nullptr;
  while ((h = ::FindWindowExW(nullptr, h, L"#32768", nullptr)))
    if (::IsWindowVisible(h)) menus.push_back(WindowRect(h));
  std::sort(menus.begin(), menus.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
  return menus;
}

std::vector<RECT> g_menus;
bool g_shot = false;
std::wstring g_shotPath;

void CALLBACK ShootAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  g_menus = MenuWindows();
  g_shot = SaveScreenshot(g_shotPath);
  ::EndMenu();
}

void CALLBACK OpenFirstSubmenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (HWND popup = ::FindWindowW(L"#32768", nullptr)) {
    ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
  }
  ::SetTimer(nullptr, 0, 700, ShootAndClose);
}

TEST_F(Dpi, ScreensAtTheSystemDpi) {
  const std::wstring out = OutputFolder();
  if (out.empty()) GTEST_SKIP() << "run by tools/test-dpi.sh in a prefix of its own";
  const uint32_t dpi = SystemDpi();
  const DpiScale px(dpi);
  MakeRibbonSkin();
  // The calendar keeps its rectangle in screen pixels: it is given the same one in inches.
  const RECT32 cal{px(20), px(20), px(440), px(350)};
  std::vector<uint8_t> bytes;
  for (int32_t v : {cal.left, cal.top, cal.right, cal.bottom})
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  registry_->OpenSettingsKey()->SetBinary(u"CalRect", bytes);
  CMainWnd& main = Start();
  EXPECT_EQ(main.settings().noteWidth, px(124)) << "a new note's default size is made for the DPI";

  const NOTE_PAD note = SavedNote(main, px(480), px(60));
  main.OpenNoteWindow(note, kOpenUser, 0);
  CNoteWnd* window = main.FindNoteWindow(note.id);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->dpi(), dpi);
  EXPECT_EQ(window->layout().iconSize, IconSizeAt(dpi));
  main.TrackNote(note);
  CTrackWnd* tracker = main.FindTracker(note.id);
  ASSERT_TRUE(tracker);
  EXPECT_EQ(tracker->rect().right - tracker->rect().left, px(195) - px(20)) << "the default tracker area";
  main.OpenCalendarAt(0);
  CScheduleWnd* calendar = main.calendar();
  ASSERT_TRUE(calendar);
  EXPECT_EQ(calendar->geometry().gridTop, px(kGridTop));
  Pump(800);

  ::SetCursorPos(px(480), px(240));
  g_shotPath = out + L"screen-" + std::to_wstring(dpi) + L".png";
  ::SetTimer(nullptr, 0, 500, OpenFirstSubmenu);
  ::SendMessageW(main, WM_TRAY_NOTIFY, 0, WM_RBUTTONUP);
  EXPECT_TRUE(g_shot) << "screenshot written";
  ASSERT_EQ(g_menus.size(), 2u) << "the tray menu and its owner-drawn submenu";

  std::ofstream sizes(std::filesystem::path(out + L"sizes-" + std::to_wstring(dpi) + L".txt"));
  auto size = [&](const char* name, const RECT& r) {
    sizes << name << ' ' << r.right - r.left << ' ' << r.bottom - r.top << '\n';
  };
  size("note", WindowRect(*window));
  size("tracker", WindowRect(*tracker));
  size("calendar", WindowRect(*calendar));
  size("calendar-entry", RECT{0, 0, calendar->geometry().columnWidth, calendar->geometry().entryHeight});
  size("tray-menu", g_menus[0]);
  size("owner-drawn-rows", g_menus[1]);
  EXPECT_TRUE(sizes.good());
}

TEST_F(Dpi, NoteCalendarAndPadFollowAMoveToAMonitorOfAnotherDpi) {
  MakeRibbonSkin();
  CMainWnd& main = Start();
  const NOTE_PAD note = SavedNote(main, 300, 200);
  main.OpenNoteWindow(note, kOpenUser, 0);
  CNoteWnd* window = main.FindNoteWindow(note.id);
  ASSERT_TRUE(window);
  const uint32_t from = window->dpi(), to = from * 2;
  const RECT paper = window->PaperScreenRect(), before = WindowRect(*window);
  // The system suggests the window's rectangle scaled, on the other monitor.
  const RECT suggested{600, 100, 600 + 2 * (before.right - before.left), 100 + 2 * (before.bottom - before.top)};
  ::SendMessageW(*window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window->dpi(), to);
  const RECT now = WindowRect(*window), moved = window->PaperScreenRect();
  EXPECT_EQ(moved.right - moved.left, 2 * (paper.right - paper.left)) << "the paper keeps its size in inches";
  EXPECT_EQ(window->layout().iconSize, IconSizeAt(to));
  EXPECT_NEAR((now.left + now.right) / 2, (suggested.left + suggested.right) / 2, 1) << "centred where suggested";
  EXPECT_NEAR((now.top + now.bottom) / 2, (suggested.top + suggested.bottom) / 2, 1);
  window->SaveState();
  NOTE_PAD stored;
  ASSERT_EQ(store_->LoadNote(note.id, stored), kFileOk);
  EXPECT_EQ(stored.rect.right - stored.rect.left, moved.right - moved.left) << "stored in screen pixels";
  EXPECT_EQ(stored.font.lfHeight, note.font.lfHeight) << "the stored font is untouched";

  main.OpenCalendarAt(0);
  CScheduleWnd* calendar = main.calendar();
  ASSERT_TRUE(calendar);
  const int gridTop = calendar->geometry().gridTop, entry = calendar->geometry().entryHeight;
  const RECT target{50, 60, 50 + 900, 60 + 700};
  ::SendMessageW(*calendar, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&target));
  EXPECT_EQ(calendar->dpi(), to);
  EXPECT_EQ(WindowRect(*calendar).left, 50);
  EXPECT_EQ(WindowRect(*calendar).right, 950) << "the suggested rectangle taken as it is";
  EXPECT_EQ(calendar->geometry().gridTop, 2 * gridTop);
  EXPECT_GT(calendar->geometry().entryHeight, entry * 3 / 2) << "the font follows the monitor";

  main.OpenPad(-1);
  CPadFrame* pad = main.pad();
  ASSERT_TRUE(pad);
  const int row = pad->view().RowHeight();
  ::SendMessageW(*pad, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&target));
  EXPECT_EQ(pad->dpi(), to);
  EXPECT_EQ(WindowRect(*pad).bottom, 760);
  EXPECT_GT(pad->view().RowHeight(), row * 3 / 2) << "the cards follow the font";
  ASSERT_TRUE(pad->icons());
  EXPECT_EQ(ImageSize(pad->icons()), IconSizeAt(to)) << "the icon strip at the new size";
}

}  // namespace
}  // namespace zavra::test
