#include "app/NoteKitApp_win.h"
#include "app/Associations_win.h"
#include "app/CalendarNames_win.h"
#include "app/MainWnd_win.h"
#include "app/PipeClient_win.h"
#include "framework/Strings.h"
#include "notewnd/NoteWnd_win.h"
#include "pad/PadFrame_win.h"
#include "skin/SkinLists_win.h"
#include "store/StoreWin.h"
#include "resources/notezavra_res.h"
#include "framework/GdiPlus.h"
#include <cstdlib>
#include <ctime>

namespace zavra {

bool IsSetupRun(const wchar_t* processCommandLine) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(processCommandLine, &argc);
  if (!argv) return false;
  const bool setup = argc > 1 && ::lstrcmpiW(argv[1], L"/setup") == 0;
  ::LocalFree(argv);
  return setup;
}

CNoteKitApp::CNoteKitApp(DWORD instanceError) : instanceError_(instanceError) {}

CNoteKitApp::~CNoteKitApp() = default;

bool CNoteKitApp::InitInstance() {
  previousForeground_ = ::GetForegroundWindow();
  if (IsSetupRun(::GetCommandLineW())) {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    RegisterShellAssociations(path);
    return false;
  }
  if (instanceError_ == ERROR_ALREADY_EXISTS) {
    // Another copy runs: hand it our command line (even an empty one) and end.
    // The other copy may still be starting: its window comes a moment after its mutex.
    const std::wstring title = LoadResString(IDS_MAIN_TITLE);
    HWND running = ::FindWindowW(nullptr, title.c_str());
    for (ULONGLONG giveUp = ::GetTickCount64() + kPipeStartWaitMs; !running && ::GetTickCount64() < giveUp;) {
      ::Sleep(50);
      running = ::FindWindowW(nullptr, title.c_str());
    }
    if (running) {
      ::SetForegroundWindow(running);
      SendPipeCommand(previousForeground_, commandLine());
    }
    return false;
  }

  INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
  ::InitCommonControlsEx(&icc);
  if (!InitOle()) {
    ::MessageBoxW(nullptr, LoadResString(IDS_OLE_FAILED).c_str(), nullptr, MB_OK | MB_ICONSTOP);
    return false;
  }
  Gdiplus::GdiplusStartupInput gdiplusInput;
  Gdiplus::GdiplusStartup(&gdiplusToken_, &gdiplusInput, nullptr);

  // Imported notes are scattered at random.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  bool firstRun = false;
  folders_ = PrepareFolders(firstRun);
  calendarNames_ = LoadCalendarNames(instance());
  InitSkinLists(folders_.skins);
  files_ = std::make_unique<Win32FileSystem>();
  registry_ = std::make_unique<Win32Registry>();
  MainEnvironment env;
  env.folders = folders_;
  env.files = files_.get();
  env.registry = registry_.get();
  env.firstRun = firstRun;
  env.commandLine = commandLine();
  mainWnd_ = std::make_unique<CMainWnd>(std::move(env));
  return mainWnd_->Create();
}

bool CNoteKitApp::PreTranslateMessage(MSG& msg) {
  return CNoteWnd::PreTranslateKey(msg) || CPadFrame::PreTranslateKey(msg);
}

int CNoteKitApp::ExitInstance() {
  mainWnd_.reset();
  // Every note window is gone with the main window; the pictures need GDI+ to be freed.
  FreeSkinLists();
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
  gdiplusToken_ = 0;
  return CApplication::ExitInstance();
}

}  // namespace zavra
