#pragma once
// Helpers for Windows tests: pumping messages while waiting, and waiting for conditions.
#include "framework/GdiPlus.h"
#include "framework/Handles.h"
#include "framework/Win.h"
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

namespace zavra::test {

// Dispatches this thread's messages (and incoming sent messages) until `done` or the timeout.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE | MWMO_ALERTABLE);
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&m);
      ::DispatchMessageW(&m);
    }
  }
  return true;
}

inline void Pump(int ms) {
  PumpUntil([] { return false; }, ms);
}

// A shown dialog of this process with that title (any title when null) and, when `control` is
// not 0, a control of that id. Tests run side by side under one display, so a plain FindWindow
// can find another test's dialog.
inline HWND FindOwnDialog(const wchar_t* title, int control = 0) {
  HWND d = nullptr;
  while ((d = ::FindWindowExW(nullptr, d, L"#32770", title))) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(d, &pid);
    if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(d) && (!control || ::GetDlgItem(d, control))) return d;
  }
  return nullptr;
}

// The text control of a message box.
inline constexpr int kMessageBoxText = 0xFFFF;

// Where tests leave screenshots for people to look at: <build>/screenshots/.
inline std::wstring ScreenshotPath(const std::wstring& name) {
  wchar_t build[MAX_PATH] = {};
  std::wstring dir;
  if (::GetEnvironmentVariableW(L"ZAVRA_BUILD_DIR", build, MAX_PATH)) {
    // A Unix path from the test runner: Wine maps "/" to drive Z:.
    dir = std::wstring(L"Z:") + build + L"\\screenshots\\";
    for (auto& c : dir)
      if (c == L'/') c = L'\\';
  } else {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    dir = std::wstring(temp) + L"zavra-screenshots\\";
  }
  ::CreateDirectoryW(dir.c_str(), nullptr);
  return dir + name;
}

// Saves the whole screen as a PNG; false when it could not be written.
inline bool SaveScreenshot(const std::wstring& path) {
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  HDC screen = ::GetDC(nullptr);
  zavra::MemoryDC dc(::CreateCompatibleDC(screen));
  zavra::BitmapHandle bmp(::CreateCompatibleBitmap(screen, w, h));
  {
    zavra::SelectObjectScope select(dc.get(), bmp.get());
    ::BitBlt(dc.get(), 0, 0, w, h, screen, 0, 0, SRCCOPY);
  }
  ::ReleaseDC(nullptr, screen);
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  bool ok = false;
  {
    Gdiplus::Bitmap image(bmp.get(), nullptr);
    const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    ok = image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  return ok;
}

}  // namespace zavra::test
