#pragma once
// CMainWnd: the hidden top-level window that owns the tray icon and routes every command
// that is not about one note.
#include "app/CommandProcessor.h"
#include "framework/Window.h"
#include <string>

namespace zavra {

// Private window messages.
inline constexpr UINT WM_TRAY_NOTIFY = WM_APP + 0x37;
inline constexpr UINT WM_WINDOW_CLOSED = WM_APP + 0x38;
inline constexpr UINT WM_NOTE_NOTIFY = WM_APP + 0x39;
inline constexpr UINT WM_QUICK_MENU = WM_APP + 0x3B;

class CMainWnd : public CWnd, public ICommandTarget {
 public:
  CMainWnd();
  ~CMainWnd() override;

  // The one main window, or null before its creation handler ran.
  static CMainWnd* Get() { return theMainWnd_; }

  void SetFirstRun(bool firstRun) { firstRun_ = firstRun; }
  bool Create(const std::wstring& commandLine);

  // Command operations (ICommandTarget).
  void OpenCalendar() override;
  void PostQuickMenu(char16_t letter, int category) override;
  void NewNoteFromCommand(int category, const std::u16string* text) override;
  void OpenPadFromCommand(int categoryArgument) override;
  bool IsUrl(const std::u16string& path) override;
  void OpenNoteById(uint32_t id) override;
  void ImportNoteFile(const std::u16string& path) override;
  void AddTrayIcon() override;
  void ShowStartupBalloon() override;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int OnCreate();
  void OnDestroy();
  LRESULT OnCopyData(HWND sender, const COPYDATASTRUCT* data);
  void FillTrayData(NOTIFYICONDATAW& nid) const;

  static CMainWnd* theMainWnd_;
  std::wstring startCommandLine_;
  bool firstRun_ = false;
  UINT taskbarCreatedMessage_ = 0;
};

}  // namespace zavra
