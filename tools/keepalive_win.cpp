// Keeps Wine's desktop process alive between test processes: a hidden window that pumps
// messages until it is killed. Without it every window-creating test pays a second.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"zavra-keepalive", WS_POPUP, 0, 0, 1, 1, nullptr,
                           nullptr, instance, nullptr);
  if (!w) return 1;
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}
