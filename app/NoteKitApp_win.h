#pragma once
// CNoteKitApp: decides whether this is the first copy, forwards the command line when it is
// not, prepares the folders and creates the hidden main window.
#include "app/Folders_win.h"
#include "schedule/RecurrenceText.h"
#include "framework/Application.h"
#include "store/FileSystem.h"
#include "store/Registry.h"
#include <memory>

namespace zavra {

class CMainWnd;

class CNoteKitApp : public CApplication {
 public:
  // `instanceError` is GetLastError() of the single-instance mutex creation.
  explicit CNoteKitApp(DWORD instanceError);
  ~CNoteKitApp() override;

  static CNoteKitApp* Get() { return static_cast<CNoteKitApp*>(Current()); }
  const AppFolders& folders() const { return folders_; }
  HWND previousForeground() const { return previousForeground_; }
  void setPreviousForeground(HWND h) { previousForeground_ = h; }
  // The locale's day and month names and the recurrence phrases, filled at start-up.
  const CalendarNames& calendarNames() const { return calendarNames_; }

 protected:
  bool InitInstance() override;
  int ExitInstance() override;
  // Note windows take their keys before translation.
  bool PreTranslateMessage(MSG& msg) override;

 private:
  DWORD instanceError_;
  AppFolders folders_;
  HWND previousForeground_ = nullptr;
  CalendarNames calendarNames_;
  ULONG_PTR gdiplusToken_ = 0;
  std::unique_ptr<IFileSystem> files_;
  std::unique_ptr<IRegistry> registry_;
  std::unique_ptr<CMainWnd> mainWnd_;
};

// The first argument of the process (by the runtime's split) is "/setup", in any case.
bool IsSetupRun(const wchar_t* processCommandLine);

}  // namespace zavra
