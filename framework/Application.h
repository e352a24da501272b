#pragma once
// CApplication: the program object. WinMain hands control to Run(), which calls
// InitInstance, pumps messages (routing dialog keys to modeless dialogs and sheets) and
// calls ExitInstance.
#include "framework/Win.h"
#include <string>
#include <vector>

namespace zavra {

class CApplication {
 public:
  CApplication();
  CApplication(const CApplication&) = delete;
  CApplication& operator=(const CApplication&) = delete;
  virtual ~CApplication();

  // The running application object.
  static CApplication* Current() { return current_; }

  int Run(HINSTANCE instance, const wchar_t* commandLine);
  HINSTANCE instance() const { return instance_; }
  // The command line without the program path.
  const std::wstring& commandLine() const { return commandLine_; }

  // Modeless dialogs and property sheets get their keyboard handling from the loop.
  static void AddModeless(HWND dialog);
  static void RemoveModeless(HWND dialog);
  static void AddModelessSheet(HWND sheet);

  // Framework-level OLE (clipboard, drag and drop); false when it failed.
  bool InitOle();

 protected:
  // Return false to end at once (the exit code is then ExitInstance's).
  virtual bool InitInstance() = 0;
  virtual int ExitInstance() { return exitCode_; }
  virtual bool PreTranslateMessage(MSG& msg) { return false; }
  void SetExitCode(int code) { exitCode_ = code; }

 private:
  int MessageLoop();
  bool RouteToModeless(MSG& msg);

  static CApplication* current_;
  HINSTANCE instance_ = nullptr;
  std::wstring commandLine_;
  int exitCode_ = 0;
  bool oleInitialized_ = false;
  // Modeless windows of the user-interface thread, for the loop's dialog keys.
  std::vector<HWND> modelessDialogs_;
  std::vector<HWND> modelessSheets_;
};

}  // namespace zavra
