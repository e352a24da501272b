#pragma once
// End-to-end helpers: start the real programs from the build, find the resident copy,
// reset the user's data, and stand in for the main program when a test needs to see
// exactly what another program sends.
#include "framework/Handles.h"
#include "framework/Win.h"
#include <string>

namespace zavra::test {

// Folder of the test executable (the programs are built beside it), with a backslash.
std::wstring BinDir();
// The build's tools folder (argdump.exe, trivial.exe), with a backslash.
std::wstring ToolsDir();
// %APPDATA%\noteZaVRA\ of the test prefix.
std::wstring DataDir();

class Process {
 public:
  Process() = default;
  static Process Start(const std::wstring& exe, const std::wstring& args, const wchar_t* environment = nullptr);
  bool running() const;
  // Waits for the exit; returns the exit code, or -1 on time-out.
  long Wait(int timeoutMs);
  void Kill();
  DWORD id() const { return id_; }
  explicit operator bool() const { return static_cast<bool>(handle_); }

 private:
  KernelHandle handle_;
  DWORD id_ = 0;
};

// The resident main window by its title, waiting up to `timeoutMs`.
HWND WaitForMainWindow(int timeoutMs = 10000);
// Ends any resident copy and waits until it is gone.
void StopResidentCopy();
// Deletes the data folder and the registry keys of the program.
void ResetUserState();
// No resident copy, a fresh user, and a data folder holding only "Unsorted".
void StartFromUnsortedOnly();
std::wstring ReadFileUtf16(const std::wstring& path);

}  // namespace zavra::test
