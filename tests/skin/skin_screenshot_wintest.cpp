// Skinned windows on a real (virtual) screen: the default skin and a three-picture skin are
// shown over a plain backdrop and the screen is saved as PNG files in the build folder
// (screenshots/skin_*.png) for a person to look at. Run by tests/skin/take-screenshots.sh;
// under ctest they are skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "skin/BkgWnd_win.h"
#include "skin/SkinLists_win.h"
#include "tests/skin/SkinWinSupport.h"

namespace zavra {
namespace {

using test::TestNoteWnd;

std::wstring Env(const wchar_t* name) {
  wchar_t buf[1024];
  const DWORD n = ::GetEnvironmentVariableW(name, buf, 1024);
  return n && n < 1024 ? std::wstring(buf, n) : std::wstring();
}

// Saves the X screen with ImageMagick's import through Wine's "start /unix".
bool SaveScreen(const std::wstring& unixPath) {
  const std::wstring display = Env(L"DISPLAY");
  std::wstring cmd = L"start.exe /wait /unix /usr/bin/import -display " + display + L" -window root " + unixPath;
  // Whatever start.exe brings up gets no handle of ours.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  FileHandle nul(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW si{sizeof si};
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = nul.get();
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
    return false;
  KernelHandle process(pi.hProcess), thread(pi.hThread);
  return ::WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
}

std::wstring DosPath(const std::wstring& unixPath) {
  std::wstring dos = L"Z:" + unixPath;
  for (wchar_t& c : dos)
    if (c == L'/') c = L'\\';
  return dos;
}

DWORD FileSize(const std::wstring& unixPath) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return ::GetFileAttributesExW(DosPath(unixPath).c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// "start /unix" does not wait for the Unix program: keep the windows up (pumping) until the
// file has been written completely.
bool WaitForFile(const std::wstring& unixPath) {
  DWORD last = 0;
  for (int i = 0; i < 100; ++i) {
    test::PumpFor(100);
    const DWORD size = FileSize(unixPath);
    if (size > 1000 && size == last) return true;
    last = size;
  }
  return false;
}

class SkinScreenshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Env(L"ZAVRA_SKIN_SCREENSHOTS").empty()) GTEST_SKIP() << "run tests/skin/take-screenshots.sh";
    build = Env(L"ZAVRA_BUILD_DIR");
    if (build.empty() || Env(L"DISPLAY").empty()) GTEST_SKIP() << "needs the Wine test runner's display and build dir";
    if (::GetFileAttributesW(L"Z:\\usr\\bin\\import") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no ImageMagick";
    ::CreateDirectoryW(DosPath(build + L"/screenshots").c_str(), nullptr);
    test::SkinsFolder();
    // A light backdrop, so that the windows' holes and edges show.
    brush.reset(::CreateSolidBrush(RGB(70, 110, 150)));
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = brush.get();
    wc.lpszClassName = L"ZavraSkinBackdrop";
    ::RegisterClassW(&wc);
    backdrop = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 640, 360, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ::ShowWindow(backdrop, SW_SHOWNOACTIVATE);
  }
  void TearDown() override {
    if (backdrop) ::DestroyWindow(backdrop);
    ::UnregisterClassW(L"ZavraSkinBackdrop", ::GetModuleHandleW(nullptr));
  }
  void Shoot(const wchar_t* name) {
    // Wine maps the windows on the X server a little later; give it time before grabbing.
    test::PumpFor(1500);
    const std::wstring path = build + L"/screenshots/" + name;
    ::DeleteFileW(DosPath(path).c_str());
    ASSERT_TRUE(SaveScreen(path));
    EXPECT_TRUE(WaitForFile(path)) << "no screenshot written";
  }

  std::wstring build;
  HWND backdrop = nullptr;
  BrushHandle brush;
};

TEST_F(SkinScreenshotTest, DefaultSkin) {
  IconHandle icon = test::SolidIcon(RGB(200, 40, 40));
  TestNoteWnd a, b;
  a.icon = icon.get();
  a.text = L"Default skin, inactive.\nBuy milk, call Anna at 5.";
  b.text = L"Default skin, active border.";
  ASSERT_TRUE(a.Open(GetSkinByTitle(L""), RECT{40, 40, 300, 200}, RGB(255, 240, 140), RGB(0, 0, 0), RGB(200, 180, 100)));
  ASSERT_TRUE(b.Open(GetSkinByTitle(L""), RECT{340, 60, 560, 180}, RGB(190, 230, 255), RGB(0, 0, 0), RGB(150, 180, 200)));
  b.SetState(0, false);
  a.Render();
  b.Render();
  ::ShowWindow(a, SW_SHOWNOACTIVATE);
  ::ShowWindow(b, SW_SHOWNOACTIVATE);
  ::SendMessageW(b, WM_ACTIVATE, WA_ACTIVE, 0);
  Shoot(L"skin_default.png");
}

TEST_F(SkinScreenshotTest, ThreePictureSkin) {
  const std::wstring folder = test::SkinFolder(L"Three");
  // A striped band tiled along the top, a round translucent pin sticking out above, and a
  // checked corner stretched "Canvas Size (MAR)" into the bottom right.
  ASSERT_TRUE(test::SavePicture(folder + L"stripes.png", L"image/png", 16, 12, [](int x, int y) {
    return test::Opaque(((x + y) / 4) % 2 ? RGB(60, 120, 200) : RGB(240, 200, 80));
  }));
  ASSERT_TRUE(test::SavePicture(folder + L"pin.png", L"image/png", 32, 32, [](int x, int y) {
    const double d = std::hypot(x - 15.5, y - 15.5);
    const double a = std::clamp(15.5 - d, 0.0, 1.0);
    return (static_cast<uint32_t>(a * 230) << 24) | RGB(220, 30, 40);
  }));
  ASSERT_TRUE(test::SavePicture(folder + L"check.bmp", L"image/bmp", 40, 20, [](int x, int y) {
    return test::Opaque((x / 5 + y / 5) % 2 ? RGB(30, 30, 30) : RGB(250, 250, 250));
  }));
  SLAYER stripes = test::Picture(L"stripes.png", kImageTile | kImageAdjustWidth, kAnchorTop);
  SLAYER pin = test::Picture(L"pin.png", kImageOriginalSize, kAnchorTop, 0, -16);
  SLAYER check = test::Picture(L"check.bmp", kImageCanvasMar | kImageAdjustWidth | kImageAdjustHeight,
                               kAnchorBottomRight, 8, 8);
  check.u.image.adjustWidth = -70;   // 30% of the paper's width
  check.u.image.adjustHeight = -70;
  check.u.image.flags |= kImageAdjustPercent;
  SLAYER text = MakeLayer(kLayerText);
  text.u.text = {8, 18, 8, 8};
  SkinPtr skin = test::WriteSkin(L"Three", {MakeLayer(kLayerPaper), stripes, MakeLayer(kLayerBorder), text, pin, check});
  ASSERT_EQ(skin->size(), 6u) << "all three pictures loaded";
  TestNoteWnd a, b;
  a.text = L"Three pictures: tiled stripes, a translucent pin above the paper, a checked corner.";
  b.text = L"Smaller note, same skin.";
  ASSERT_TRUE(a.Open(skin, RECT{60, 60, 320, 240}, RGB(255, 250, 225), RGB(0, 0, 0), RGB(120, 120, 120)));
  ASSERT_TRUE(b.Open(GetSkinByTitle(L"three"), RECT{380, 80, 560, 200}, RGB(220, 255, 220), RGB(0, 0, 0),
                     RGB(120, 140, 120)));
  EXPECT_EQ(a.skin(), b.skin()) << "one loaded skin for both windows";
  a.Render();
  b.Render();
  ::ShowWindow(a, SW_SHOWNOACTIVATE);
  ::ShowWindow(b, SW_SHOWNOACTIVATE);
  Shoot(L"skin_three_pictures.png");
}

}  // namespace
}  // namespace zavra
