// ZavraL: hands its command line to the running main program, or starts the main program
// with that command line. No window, exit code 0 always.
#include "app/PipeClient_win.h"
#include "framework/Win.h"
#include <string>
#include <vector>

namespace {

void StartMainProgram() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::wstring program(path, n);
  const size_t slash = program.find_last_of(L'\\');
  program = (slash == std::wstring::npos ? std::wstring() : program.substr(0, slash + 1)) + L"notezavra.exe";
  // The main program sees our path as its program path and our arguments as its own.
  std::wstring full = ::GetCommandLineW();
  std::vector<wchar_t> commandLine(full.begin(), full.end());
  commandLine.push_back(L'\0');
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  HWND mainWindow = ::FindWindowW(nullptr, L"Qel note ZaVRA");
  if (!mainWindow) {
    StartMainProgram();
    return 0;
  }
  if (!commandLine || !*commandLine) return 0;
  HWND previous = ::GetForegroundWindow();
  ::SetForegroundWindow(mainWindow);
  zavra::SendPipeCommand(previous, commandLine);
  return 0;
}
