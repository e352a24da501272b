// The smallest Win32 program that uses the window manager at all (one user32 call): the floor
// for programs such as the launcher that must look for a window.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return GetForegroundWindow() == nullptr ? 0 : 0; }
