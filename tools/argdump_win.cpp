// Test stand-in for a program: writes its own path and full command line (UTF-16) to the
// file named by ZAVRA_ARGDUMP, so tests can see how another program started it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  wchar_t out[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"ZAVRA_ARGDUMP", out, MAX_PATH)) return 1;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  HANDLE f = CreateFileW(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD n = 0;
  const wchar_t* line = GetCommandLineW();
  WriteFile(f, self, lstrlenW(self) * 2, &n, nullptr);
  WriteFile(f, L"\n", 2, &n, nullptr);
  WriteFile(f, line, lstrlenW(line) * 2, &n, nullptr);
  CloseHandle(f);
  return 0;
}
