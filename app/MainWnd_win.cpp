#include "app/MainWnd_win.h"
#include "app/NoteKitApp_win.h"
#include "app/PipeMessage.h"
#include "app/PipeServer_win.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include <shlwapi.h>
#include <cwchar>

namespace zavra {

CMainWnd* CMainWnd::theMainWnd_ = nullptr;

namespace {
const wchar_t kMainClass[] = L"QelNoteZavraMain";

void CopyCut(wchar_t* dst, size_t capacity, const std::wstring& src) {
  std::wcsncpy(dst, src.c_str(), capacity - 1);
  dst[capacity - 1] = L'\0';
}
}  // namespace

CMainWnd::CMainWnd() = default;

CMainWnd::~CMainWnd() {
  if (theMainWnd_ == this) theMainWnd_ = nullptr;
}

bool CMainWnd::Create(const std::wstring& commandLine) {
  startCommandLine_ = commandLine;
  if (!RegisterWindowClass(kMainClass, CS_NOCLOSE)) return false;
  const RECT offScreen{-500, 10, -490, 20};
  return CreateEx(WS_EX_TOOLWINDOW, kMainClass, LoadResString(IDS_MAIN_TITLE).c_str(), WS_POPUP, offScreen);
}

int CMainWnd::OnCreate() {
  theMainWnd_ = this;
  taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  ProcessCommandLine(ToU16(startCommandLine_), true, *this);
  StartPipeServer(GetSafeHwnd());
  return 0;
}

void CMainWnd::OnDestroy() {
  NOTIFYICONDATAW nid{sizeof nid};
  nid.hWnd = GetSafeHwnd();
  nid.uID = 0;
  ::Shell_NotifyIconW(NIM_DELETE, &nid);
  ::PostQuitMessage(0);
}

LRESULT CMainWnd::OnCopyData(HWND sender, const COPYDATASTRUCT* data) {
  if (!data || data->dwData != kCopyDataCommand) return Default(WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(data));
  const std::u16string line = CommandLineFromCopyData(data->lpData, data->cbData);
  if (auto* app = CNoteKitApp::Get()) app->setPreviousForeground(sender);
  ProcessCommandLine(line, false, *this);
  return TRUE;
}

LRESULT CMainWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate();
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_COPYDATA:
      return OnCopyData(reinterpret_cast<HWND>(wp), reinterpret_cast<const COPYDATASTRUCT*>(lp));
    default:
      if (msg == taskbarCreatedMessage_ && msg != 0) {
        // The shell restarted: its new tray knows nothing of our icon.
        AddTrayIcon();
        return 0;
      }
      return CWnd::WindowProc(msg, wp, lp);
  }
}

void CMainWnd::FillTrayData(NOTIFYICONDATAW& nid) const {
  nid = NOTIFYICONDATAW{sizeof nid};
  nid.hWnd = GetSafeHwnd();
  nid.uID = 0;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = WM_TRAY_NOTIFY;
  nid.hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                              ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                              LR_SHARED));
  CopyCut(nid.szTip, 128, LoadResString(IDS_APP_TITLE));
}

void CMainWnd::AddTrayIcon() {
  NOTIFYICONDATAW nid;
  FillTrayData(nid);
  ::Shell_NotifyIconW(NIM_ADD, &nid);
}

void CMainWnd::ShowStartupBalloon() {
  NOTIFYICONDATAW nid{sizeof nid};
  nid.hWnd = GetSafeHwnd();
  nid.uID = 0;
  nid.uFlags = NIF_INFO;
  nid.dwInfoFlags = NIIF_INFO;
  nid.uTimeout = 7000;
  CopyCut(nid.szInfoTitle, 64, LoadResString(IDS_APP_TITLE));
  CopyCut(nid.szInfo, 256, LoadResString(IDS_TRAY_BALLOON));
  ::Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void CMainWnd::PostQuickMenu(char16_t letter, int category) {
  ::PostMessageW(GetSafeHwnd(), WM_QUICK_MENU, static_cast<WPARAM>(letter), static_cast<LPARAM>(category));
}

bool CMainWnd::IsUrl(const std::u16string& path) { return ::PathIsURLW(AsWide(path)) != FALSE; }

// Operations whose windows and stores arrive with their own subsystems.
void CMainWnd::OpenCalendar() {}
void CMainWnd::NewNoteFromCommand(int, const std::u16string*) {}
void CMainWnd::OpenPadFromCommand(int) {}
void CMainWnd::OpenNoteById(uint32_t) {}
void CMainWnd::ImportNoteFile(const std::u16string&) {}

}  // namespace zavra
