#include "app/MainWnd_win.h"
#include "app/NoteKitApp_win.h"
#include "app/PipeMessage.h"
#include "app/PipeServer_win.h"
#include "app/RecentList.h"
#include "app/Website.h"
#include "framework/Dpi.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "schedule/LocalTime.h"
#include "store/Clipboard_win.h"
#include "store/Links_win.h"
#include "store/NoteText.h"
#include "store/PortableNote.h"
#include "store/Scatter.h"
#include "store/StoreWin.h"
#include <commdlg.h>
#include <mmsystem.h>
#include <shlwapi.h>
#include <cstring>
#include <algorithm>
#include <cwchar>
#include <ctime>

namespace zavra {

CMainWnd* CMainWnd::theMainWnd_ = nullptr;

namespace {

const wchar_t kMainClass[] = L"QelNoteZavraMain";
constexpr UINT_PTR kTimerDoubleClick = 783;
constexpr UINT_PTR kTimerScan = 993;

void CopyCut(wchar_t* dst, size_t capacity, const std::wstring& src) {
  std::wcsncpy(dst, src.c_str(), capacity - 1);
  dst[capacity - 1] = L'\0';
}

RECT32 WorkArea() {
  RECT r{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return FromWinRect(r);
}

std::u16string Str(UINT id) { return ToU16(LoadResString(id)); }

}  // namespace

CMainWnd::CMainWnd(MainEnvironment env) : env_(std::move(env)) {
  store_ = std::make_unique<NoteStore>(*env_.files, *env_.registry, ToU16(env_.folders.data));
  SetUnsortedDefaultsFromSystem(*store_);
  store_->Subscribe(this);
}

CMainWnd::~CMainWnd() {
  if (GetSafeHwnd()) DestroyWindow();
  store_->Unsubscribe(this);
  if (theMainWnd_ == this) theMainWnd_ = nullptr;
}

bool CMainWnd::Create() {
  if (!RegisterWindowClass(kMainClass, CS_NOCLOSE)) return false;
  const RECT offScreen{-500, 10, -490, 20};
  // Untitled until the creation handler has started the pipe: other copies and the launcher
  // find the window by its title and then send their commands through the pipe.
  return CreateEx(WS_EX_TOOLWINDOW, kMainClass, L"", WS_POPUP, offScreen);
}

// ---------------------------------------------------------------- life cycle

int CMainWnd::OnCreate() {
  {
    auto key = env_.registry->OpenSettingsKey();
    LoadSettings(key.get(), WorkArea(), settings_, state_, SystemDpi());
  }
  theMainWnd_ = this;
  taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  if (env_.firstRun) store_->CreateFirstCategory();

  // Occurrences since the program last ended (missed alarms) up to the look-ahead are queued;
  // expired notes go.
  {
    const int64_t now = Now();
    OccurrenceScan(*store_, alarms_,
                   {std::min(state_.timeClosed, now), now + kLookAhead, true, settings_.autoDeleteDays, now});
  }

  // Note windows open at exit come back where they were.
  const std::vector<OpenNoteEntry> reopen = state_.openNotes;
  state_.openNotes.clear();
  for (const OpenNoteEntry& e : reopen) {
    NOTE_PAD note;
    if (store_->LoadNote(e.id, note) == kFileOk) OpenNoteWindow(note, kOpenRestore, (e.exStyle & WS_EX_TOPMOST) ? 1 : 0);
  }
  RestoreTrackers();
  changeMarks_ = 0;
  StartFeeds();

  ProcessCommandLine(ToU16(env_.commandLine), true, *this);
  alarms_.ResetMidnight(Now());
  RunAlarmScan();
  StartPipeServer(GetSafeHwnd());
  ::SetWindowTextW(GetSafeHwnd(), LoadResString(IDS_MAIN_TITLE).c_str());
  ScheduleIndexWrite();
  StartFullNoteReadIfDue();
  return 0;
}

void CMainWnd::SaveState(bool loggingOff) {
  // Windows saving their notes on the way out must not set off an alarm scan that opens a
  // window nobody would list or save.
  ending_ = true;
  changeMarks_ |= kMarkOpenNotes | kMarkTrackers;
  WriteLists();
  SavePadAndCalendar(!loggingOff);
  SaveTrackers(!loggingOff);
  SaveNoteWindows(!loggingOff);
  auto key = env_.registry->OpenSettingsKey();
  // No scan runs from here on: what fell due since the last one fires at the next start.
  WriteExitGroup(key.get(), settings_, lastAlarmScan_ > 0 ? std::min(Now(), lastAlarmScan_) : Now());
}

void CMainWnd::OnDestroy() {
  CancelNoteDialogs(std::nullopt);
  StopFeeds();
  ::KillTimer(GetSafeHwnd(), kTimerScan);
  ::KillTimer(GetSafeHwnd(), kTimerDoubleClick);
  NOTIFYICONDATAW nid{sizeof nid};
  nid.hWnd = GetSafeHwnd();
  nid.uID = 0;
  ::Shell_NotifyIconW(NIM_DELETE, &nid);
  SaveState(false);
  FinishIndex(true);
  ::PostQuitMessage(0);
}

LRESULT CMainWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate();
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_ENDSESSION:
      if (wp) {
        EndPreferences();
        CancelNoteDialogs(std::nullopt);
        SaveState(true);
        FinishIndex(false);
      }
      return 0;
    case WM_OPEN_PREFERENCES:
      OpenPreferences(static_cast<int>(wp), nullptr);
      return 0;
    case WM_COPYDATA:
      return OnCopyData(reinterpret_cast<HWND>(wp), reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_TRAY_NOTIFY:
      OnTrayNotify(static_cast<UINT>(lp));
      return 0;
    case WM_WINDOW_CLOSED:
      OnWindowClosed(wp, lp);
      return 0;
    case WM_NOTE_NOTIFY:
      if (wp == kNotifyLayoutTrackers) LayoutTrackers(true, false);
      return 0;
    case WM_QUICK_MENU:
      ShowQuickMenu(static_cast<char16_t>(wp), static_cast<int>(lp));
      return 0;
    case WM_TIMER:
      if (wp == kTimerDoubleClick) {
        ::KillTimer(GetSafeHwnd(), kTimerDoubleClick);
        doubleClickGuard_ = false;
      } else if (wp == kTimerScan) {
        RunAlarmScan();
        WriteLists();
      } else if (wp == kTimerIndexWrite) {
        WriteIndexNow();
      }
      return 0;
    case WM_NOTES_READ:
      OnNotesRead();
      return 0;
    case WM_DESTROYCLIPBOARD:
      if (clipboardNoteId_) ::GlobalFree(clipboardNoteId_);
      clipboardNoteId_ = nullptr;
      return 0;
    case WM_TIMECHANGE:
      // The zone's cached offsets may no longer hold.
      RefreshMachineLocalTime();
      alarms_.ResetMidnight(Now());
      RunAlarmScan();
      return 0;
    case WM_MEASUREITEM:
      if (menuRows_.Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp), GetSafeHwnd())) return TRUE;
      break;
    case WM_DRAWITEM:
      if (menuRows_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    default:
      if (msg == taskbarCreatedMessage_ && msg != 0) {
        // The shell restarted: its new tray knows nothing of our icon.
        AddTrayIcon();
        return 0;
      }
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

LRESULT CMainWnd::OnCopyData(HWND sender, const COPYDATASTRUCT* data) {
  if (!data || data->dwData != kCopyDataCommand)
    return Default(WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(data));
  const std::u16string line = CommandLineFromCopyData(data->lpData, data->cbData);
  if (auto* app = CNoteKitApp::Get()) app->setPreviousForeground(sender);
  // The sender handed us its foreground right; the previously active window loses the focus.
  ::SetForegroundWindow(GetSafeHwnd());
  ProcessCommandLine(line, false, *this);
  return TRUE;
}

void CMainWnd::OnWindowClosed(WPARAM code, LPARAM window) {
  switch (code) {
    case kClosedNoteWindow:
      // Note windows report through NoteWindowClosed while they still exist.
      break;
    case kClosedPad:
      PadClosed();
      break;
    case kClosedCalendar:
      CalendarClosed();
      break;
    case kClosedTracker:
      TrackerClosed(reinterpret_cast<CTrackWnd*>(window));
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------- tray icon

// The icon and tip show whether notes are being held.
void CMainWnd::FillTrayData(NOTIFYICONDATAW& nid, UINT flags) const {
  nid = NOTIFYICONDATAW{sizeof nid};
  nid.hWnd = GetSafeHwnd();
  nid.uID = 0;
  nid.uFlags = flags;
  nid.uCallbackMessage = WM_TRAY_NOTIFY;
  const bool held = !state_.held.empty();
  nid.hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(held ? IDI_HELD : IDI_MAIN),
                                              IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                              ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  CopyCut(nid.szTip, 128,
          ToWide(TrayTip(Str(IDS_APP_TITLE), static_cast<uint32_t>(state_.held.size()), Str(IDS_ON_HOLD))));
}

void CMainWnd::AddTrayIcon() {
  NOTIFYICONDATAW nid;
  FillTrayData(nid, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  ::Shell_NotifyIconW(NIM_ADD, &nid);
}

void CMainWnd::UpdateTrayIcon() {
  NOTIFYICONDATAW nid;
  FillTrayData(nid, NIF_ICON | NIF_TIP);
  ::Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void CMainWnd::ShowTrayBalloon(const std::wstring& title, const std::wstring& text) {
  NOTIFYICONDATAW nid{sizeof nid};
  nid.hWnd = GetSafeHwnd();
  nid.uID = 0;
  nid.uFlags = NIF_INFO;
  nid.dwInfoFlags = NIIF_INFO;
  nid.uTimeout = 7000;
  CopyCut(nid.szInfoTitle, 64, title);
  CopyCut(nid.szInfo, 256, text);
  ::Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void CMainWnd::ShowStartupBalloon() { ShowTrayBalloon(LoadResString(IDS_APP_TITLE), LoadResString(IDS_TRAY_BALLOON)); }

void CMainWnd::OnTrayNotify(UINT mouse) {
  switch (mouse) {
    case WM_LBUTTONUP: {
      // The button-up that follows a double-click is not a click of its own.
      if (doubleClickGuard_) return;
      if (::GetKeyState(VK_SHIFT) < 0)
        OnCommand(kCmdOpenPad, 0, nullptr);
      else if (::GetKeyState(VK_CONTROL) < 0)
        OnCommand(kCmdOpenCalendar, 0, nullptr);
      else
        OnCommand(kCmdBringFront, 0, nullptr);
      return;
    }
    case WM_LBUTTONDBLCLK:
      if (!state_.held.empty())
        OnCommand(kCmdRelease, 0, nullptr);
      else
        OnCommand(settings_.trayDefault == 1 ? kCmdOpenPad : settings_.trayDefault == 2 ? kCmdOpenCalendar : kCmdNewNote,
                  0, nullptr);
      ::SetTimer(GetSafeHwnd(), kTimerDoubleClick, 1000, nullptr);
      doubleClickGuard_ = true;
      return;
    case WM_MBUTTONUP:
      OnCommand(kCmdNewNote, 0, nullptr);
      return;
    case WM_RBUTTONUP:
      ShowTrayMenu();
      return;
    default:
      return;
  }
}

// ---------------------------------------------------------------- menus

namespace {

// Removes the item with `command` from `menu` (searching submenus); true when found.
bool RemoveCommand(HMENU menu, UINT command) { return ::DeleteMenu(menu, command, MF_BYCOMMAND) != FALSE; }

// Separators left at the ends or next to each other by removed items.
void TidySeparators(HMENU menu) {
  bool previousSeparator = true;
  for (int i = 0; i < ::GetMenuItemCount(menu);) {
    MENUITEMINFOW mii{sizeof mii};
    mii.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
    const bool separator = (mii.fType & MFT_SEPARATOR) != 0;
    if (separator && previousSeparator) {
      ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
      continue;
    }
    previousSeparator = separator;
    ++i;
  }
  const int n = ::GetMenuItemCount(menu);
  if (n > 0) {
    MENUITEMINFOW mii{sizeof mii};
    mii.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(n - 1), TRUE, &mii);
    if (mii.fType & MFT_SEPARATOR) ::DeleteMenu(menu, static_cast<UINT>(n - 1), MF_BYPOSITION);
  }
}

std::wstring MenuText(HMENU menu, UINT command) {
  wchar_t buf[256] = {};
  ::GetMenuStringW(menu, command, buf, 256, MF_BYCOMMAND);
  return buf;
}

// Position of the item with `command` in `menu`, or -1.
int PositionOf(HMENU menu, UINT command) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    if (::GetMenuItemID(menu, i) == command) return i;
  return -1;
}

// Menus open at the cursor: their rows are drawn for that monitor's DPI.
uint32_t CursorDpi() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return PointDpi(cursor);
}

// Replaces the item `command` by a submenu of owner-drawn rows, keeping the item's text.
void ReplaceBySubmenu(HMENU menu, UINT command, const std::vector<MENUITEM>& rows, OwnerDrawMenu& drawer) {
  const int pos = PositionOf(menu, command);
  if (pos < 0 || rows.empty()) return;
  const std::wstring text = MenuText(menu, command);
  HMENU sub = ::CreatePopupMenu();
  for (const MENUITEM& row : rows) drawer.Append(sub, row);
  ::SetMenuDefaultItem(sub, rows.front().command, FALSE);
  ::DeleteMenu(menu, static_cast<UINT>(pos), MF_BYPOSITION);
  ::InsertMenuW(menu, static_cast<UINT>(pos), MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                text.c_str());
}

}  // namespace

void CMainWnd::ShowTrayMenu() {
  if (menuUp_) return;
  menuUp_ = true;
  MenuHandle resource(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_TRAY)));
  HMENU menu = resource ? ::GetSubMenu(resource.get(), 0) : nullptr;
  if (!menu) {
    menuUp_ = false;
    return;
  }
  ::CheckMenuItem(menu, kCmdNotesOnTop, MF_BYCOMMAND | (settings_.noteOnTop ? MF_CHECKED : MF_UNCHECKED));
  ::CheckMenuItem(menu, kCmdTrackerOnTop, MF_BYCOMMAND | (settings_.trackOnTop ? MF_CHECKED : MF_UNCHECKED));
  ::CheckMenuItem(menu, kCmdHold, MF_BYCOMMAND | (settings_.hold ? MF_CHECKED : MF_UNCHECKED));
  RemoveCommand(menu, kCmdBringFront);

  menuRows_.Clear();
  menuRows_.SetDpi(CursorDpi());
  menuRows_.LoadIconStrip(env_.folders.iconStrip);
  const CategoryList categories = store_->LoadCategoryList();
  const TrayMenuPlan plan = PlanTrayMenu(
      categories, state_.recent,
      [this](uint32_t id) -> std::optional<NOTE_PAD> {
        NOTE_PAD note;
        if (store_->LoadNote(id, note) != kFileOk) return std::nullopt;
        return note;
      },
      static_cast<uint32_t>(state_.held.size()), settings_.trayDefault, Str(IDS_ALL_OF_INTEREST),
      Str(IDS_ALL_CATEGORIES));
  for (uint32_t id : plan.droppedRecent)
    if (RemoveRecent(state_.recent, id)) changeMarks_ |= kMarkRecent;

  if (plan.heldNotes) {
    const std::wstring text =
        ToWide(ReleaseAllText(ToU16(MenuText(menu, kCmdReleaseAll)), static_cast<uint32_t>(state_.held.size())));
    ::ModifyMenuW(menu, kCmdReleaseAll, MF_BYCOMMAND | MF_STRING, kCmdReleaseAll, text.c_str());
  } else {
    RemoveCommand(menu, kCmdRelease);
    RemoveCommand(menu, kCmdReleaseAll);
  }
  // The default stays on its row even when that row becomes a submenu.
  const int defaultPosition = PositionOf(menu, plan.defaultCommand);

  menuMode_ = 1;
  menuActions_ = plan.actions;
  ReplaceBySubmenu(menu, kCmdNewNote, plan.newNoteRows, menuRows_);
  ReplaceBySubmenu(menu, kCmdOpenPad, plan.padRows, menuRows_);
  if (defaultPosition >= 0) ::SetMenuDefaultItem(menu, static_cast<UINT>(defaultPosition), TRUE);
  if (!plan.recentRows.empty()) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      HMENU sub = ::GetSubMenu(menu, i);
      static_assert(IDM_RECENT_NONE < kFirstDynamicCommand || IDM_RECENT_NONE > kLastDynamicCommand);
      if (!sub || ::GetMenuItemID(sub, 0) != IDM_RECENT_NONE) continue;
      for (const MENUITEM& row : plan.recentRows) menuRows_.Append(sub, row);
      ::DeleteMenu(sub, IDM_RECENT_NONE, MF_BYCOMMAND);
      break;
    }
  }
  TidySeparators(menu);
  TrackMenu(menu, 1);
  menuRows_.Clear();
  menuUp_ = false;
}

void CMainWnd::TrackMenu(HMENU menu, int mode) {
  POINT pt{};
  ::GetCursorPos(&pt);
  ::SetForegroundWindow(GetSafeHwnd());
  trackedMenu_ = menu;
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pt.x, pt.y, 0, GetSafeHwnd(), nullptr));
  trackedMenu_ = nullptr;
  ::PostMessageW(GetSafeHwnd(), WM_NULL, 0, 0);
  menuMode_ = mode;
  if (command) OnCommand(command, 0, nullptr);
  menuActions_.clear();
}

void CMainWnd::ShowQuickMenu(char16_t letter, int number) {
  if (menuUp_ || (letter != u'f' && letter != u'q')) return;
  const auto category = QuickMenuCategory(number);
  if (!category) return;
  std::vector<NOTE_PAD> notes;
  NoteFilter filter;
  filter.category = *category;
  store_->ScanNotes(filter, [&](const NOTE_PAD& n) { notes.push_back(n); });
  const NOTE_CATE cate = store_->LoadCategory(*category);
  auto plan = PlanQuickMenu(notes, cate, Str(letter == u'f' ? IDS_QPASTE_TITLE : IDS_QLAUNCH_TITLE));
  if (!plan) return;
  menuUp_ = true;
  menuRows_.Clear();
  menuRows_.SetDpi(CursorDpi());
  MenuHandle menu(::CreatePopupMenu());
  // A separator, so that neither the mouse nor the keyboard can choose the header.
  menuRows_.Append(menu.get(), plan->header, MF_SEPARATOR);
  for (MENUITEM row : plan->rows) {
    if (letter == u'q') {
      const auto note = std::find_if(notes.begin(), notes.end(),
                                     [&](const NOTE_PAD& n) { return n.id == static_cast<uint32_t>(row.value); });
      if (note != notes.end())
        if (IconHandle icon = LinkIcon(note->link, store_->DataFolder())) row.linkIconSlot = menuRows_.AddLinkIcon(std::move(icon));
    }
    menuRows_.Append(menu.get(), row);
  }
  menuActions_ = plan->actions;
  TrackMenu(menu.get(), letter == u'f' ? 2 : 3);
  menuRows_.Clear();
  menuUp_ = false;
  if (letter == u'f') {
    // Give the focus back to the window the paste is meant for.
    for (HWND w = ::GetWindow(GetSafeHwnd(), GW_HWNDNEXT); w; w = ::GetParent(w)) {
      if (::IsWindowVisible(w)) {
        ::SetForegroundWindow(w);
        break;
      }
    }
  }
}

void CMainWnd::RunDynamicCommand(UINT command) {
  const size_t k = command - kFirstDynamicCommand;
  if (k >= menuActions_.size()) return;
  const DynamicAction a = menuActions_[k];
  switch (a.action) {
    case MenuAction::NewNoteInCategory:
      NewNote(a.value, nullptr);
      break;
    case MenuAction::OpenPad:
      OpenPadFromCommand(a.value);
      break;
    case MenuAction::OpenRecentNote:
      OpenNoteById(static_cast<uint32_t>(a.value));
      break;
    case MenuAction::QuickNote: {
      NOTE_PAD note;
      if (a.value == 0 || store_->LoadNote(static_cast<uint32_t>(a.value), note) != kFileOk) break;
      if (menuMode_ == 3)
        QuickLaunch(note, [this](uint32_t id) { OpenNoteById(id); });
      else
        QuickPaste(GetSafeHwnd(), note);
      break;
    }
  }
}

// ---------------------------------------------------------------- commands

bool CMainWnd::OnCommand(UINT id, UINT, HWND) {
  if (id >= kFirstDynamicCommand && id <= kLastDynamicCommand) {
    RunDynamicCommand(id);
    return true;
  }
  switch (id) {
    case kCmdNewNote:
      NewNote(1, nullptr);
      return true;
    case kCmdOpenPad:
      OpenPadFromCommand(-1001);
      return true;
    case kCmdOpenCalendar:
      OpenCalendar();
      return true;
    case kCmdNotesOnTop:
      settings_.noteOnTop = !settings_.noteOnTop;
      SetNotesOnTop(settings_.noteOnTop);
      changeMarks_ |= kMarkOpenNotes;
      return true;
    case kCmdTrackerOnTop:
      ToggleTrackersOnTop();
      return true;
    case kCmdHold:
      settings_.hold = !settings_.hold;
      return true;
    case kCmdRelease:
      Release(false);
      return true;
    case kCmdReleaseAll:
      Release(true);
      return true;
    case kCmdBringFront:
      BringFront();
      return true;
    case kCmdShortcutWizard:
      StartProgram(L"ZavraSwiz.exe");
      return true;
    case kCmdNoteDesigner:
      StartProgram(L"ZavraNd.exe");
      return true;
    case kCmdOpenStorageFolder:
      ::ShellExecuteW(nullptr, nullptr, env_.folders.data.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    case kCmdWebsite:
      ::ShellExecuteW(nullptr, L"open", ToWide(WebsiteAddress()).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    case kCmdPreferences:
      ::PostMessageW(GetSafeHwnd(), WM_OPEN_PREFERENCES, 0, 0);
      return true;
    case kCmdAbout:
      ::PostMessageW(GetSafeHwnd(), WM_OPEN_PREFERENCES, 5, 0);
      return true;
    case kCmdExit:
      EndPreferences();
      // Open note dialogs end as Cancel before the windows they belong to go.
      CancelNoteDialogs(std::nullopt);
      ::PostMessageW(GetSafeHwnd(), WM_CLOSE, 0, 0);
      return true;
    default:
      return false;
  }
}

void CMainWnd::StartProgram(const wchar_t* exe) {
  const std::wstring path = env_.folders.program + exe;
  ::ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CMainWnd::Release(bool all) {
  if (state_.held.empty()) return;
  std::vector<uint32_t> release;
  if (all) {
    release.swap(state_.held);
  } else {
    release.push_back(state_.held.front());
    state_.held.erase(state_.held.begin());
  }
  changeMarks_ |= kMarkHeld;
  UpdateTrayIcon();
  for (uint32_t id : release) {
    NOTE_PAD note;
    if (store_->LoadNote(id, note) == kFileOk) OpenNoteWindow(note, kOpenUser, -1);
  }
}


bool CMainWnd::IsHolding() const {
  if (settings_.hold) return true;
  if (!settings_.holdFullScreen) return false;
  HWND fg = ::GetForegroundWindow();
  if (!fg || !(::GetWindowLongW(fg, GWL_EXSTYLE) & WS_EX_TOPMOST)) return false;
  RECT r{};
  ::GetWindowRect(fg, &r);
  return r.right - r.left >= ::GetSystemMetrics(SM_CXSCREEN) && r.bottom - r.top >= ::GetSystemMetrics(SM_CYSCREEN);
}

// ---------------------------------------------------------------- notes

RECT32 CMainWnd::NewNoteRect() const {
  // NoteSize centred on NotePos2; the default centre lies far right, so work in 64 bits and
  // let the work area bring the note back.
  const RECT32 work = WorkArea();
  const int64_t w = std::clamp<int64_t>(settings_.noteWidth, 32, 4096);
  const int64_t h = std::clamp<int64_t>(settings_.noteHeight, 32, 4096);
  int64_t left = static_cast<int64_t>(settings_.notePosX) - w / 2;
  int64_t top = static_cast<int64_t>(settings_.notePosY) - h / 2;
  left = std::clamp<int64_t>(left, work.left, std::max<int64_t>(work.left, work.right - w));
  top = std::clamp<int64_t>(top, work.top, std::max<int64_t>(work.top, work.bottom - h));
  return RECT32{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + w),
                static_cast<int32_t>(top + h)};
}

NotePlacement CMainWnd::Placement() const {
  const RECT32 r = NewNoteRect();
  NotePlacement p;
  p.width = r.right - r.left;
  p.height = r.bottom - r.top;
  p.centreX = r.left + p.width / 2;
  p.centreY = r.top + p.height / 2;
  p.workArea = WorkArea();
  return p;
}

uint32_t CMainWnd::NewNote(int category, const std::u16string* text) {
  NOTE_PAD note;
  const CategoryList categories = store_->LoadCategoryList();
  note.category = (category > 0 && category <= 0xFFFF && categories.Find(static_cast<uint32_t>(category)))
                      ? static_cast<uint16_t>(category)
                      : uint16_t{1};
  NewNoteContent(note, text, GetSafeHwnd());
  note.rect = PlaceNewNote(Placement());
  if (!store_->SaveNote(note)) return 0;
  OpenNoteWindow(note, kOpenUser, -1);
  return note.id;
}

// ---------------------------------------------------------------- timed behaviour

void CMainWnd::RunAlarmScan() {
  if (ending_) return;
  lastAlarmScan_ = Now();
  const int64_t next = alarms_.Scan(lastAlarmScan_, settings_.preopen1, settings_.preopen2, state_.reopens, *this);
  ::SetTimer(GetSafeHwnd(), kTimerScan, static_cast<UINT>(std::min<int64_t>(next, kLongestScanPeriod + 1) * 1000),
             nullptr);
}

void CMainWnd::OnNoteSaved(const NOTE_PAD& note) {
  if (alarms_.QueueNote(note, Now())) RunAlarmScan();
  ScheduleIndexWrite();
}

std::optional<NOTE_PAD> CMainWnd::LoadNote(uint32_t id) {
  NOTE_PAD note;
  if (store_->LoadNote(id, note) != kFileOk) return std::nullopt;
  return note;
}

void CMainWnd::PreOpen(const NOTE_PAD& note) {
  // A tracked note is in view already.
  if ((note.flags & kNoteNoWindow) || FindTracker(note.id)) return;
  OpenNoteWindow(note, kOpenPreopen, -1);
}

void CMainWnd::Fire(const NOTE_PAD& note) {
  if (!(note.flags & kNoteNoWindow)) {
    if (!RingTrackedNoteWindow(note.id))
      if (CWnd* w = OpenNoteWindow(note, kOpenAlarm, -1))
        ::PostMessageW(w->GetSafeHwnd(), WM_NOTE_NOTIFY, kNotifyAlarmFired, 0);
  }
  const NOTE_PAD copy = note;
  NotifyTrackers(kNotifyAlarmFired, &copy, copy.id);
  if (!(note.flags & kNoteNoSound)) PlayNoteSound(note);
  if (note.flags & kNoteLaunchLink) LaunchNoteLink(note.link);
}

void CMainWnd::Reopen(const NOTE_PAD& note) {
  if (CNoteWnd* open = FindNoteWindow(note.id)) {
    ShowExistingNoteWindow(*open);
  } else if (IsHolding()) {
    if (std::find(state_.held.begin(), state_.held.end(), note.id) == state_.held.end()) {
      state_.held.push_back(note.id);
      changeMarks_ |= kMarkHeld;
      UpdateTrayIcon();
    }
  } else {
    OpenNoteWindow(note, kOpenRestore, -1);
    changeMarks_ |= kMarkOpenNotes;
  }
  PlayNoteSound(note);
}

void CMainWnd::DayChanged() {
  PostToNoteWindows(kNotifyDayChanged);
  NotifyTrackers(kNotifyDayChanged, nullptr, 0);
  NotifyPad(kNotifyDayChanged, nullptr, 0);
}

void CMainWnd::RescanOccurrences(int64_t now) {
  OccurrenceScan(*store_, alarms_, {now, 0, false, 0, now});
  ScheduleIndexWrite();
  StartFullNoteReadIfDue();
}

void CMainWnd::ReopensChanged() {
  changeMarks_ |= kMarkReopens;
  NotifyPad(kNotifyReopensChanged, nullptr, 0);
}

void CMainWnd::ReopenAfter(uint32_t id, int64_t seconds) {
  if (seconds <= 0) return;
  AddReopen(state_.reopens, id, Now() + seconds);
  RunAlarmScan();
  ReopensChanged();  // marks the list and tells the pad
  WriteLists();
}

void CMainWnd::AddToRecent(uint32_t id) {
  if (AddRecent(state_.recent, id, settings_.recentCount)) changeMarks_ |= kMarkRecent;
}

void CMainWnd::PlayNoteSound(const NOTE_PAD& note) {
  std::wstring path = ToWide(note.sound);
  if (path.empty()) path = ToWide(store_->LoadCategory(note.category).sound);
  if (path.empty()) path = env_.folders.program + L"snd\\clock.wav";
  lastSound_ = path;
  ::PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void CMainWnd::LaunchNoteLink(const std::u16string& link) {
  zavra::LaunchLink(link, [this](uint32_t id) { OpenNoteById(id); });
}


void CMainWnd::NoteCosmeticsCommand(UINT command, const NOTE_PAD& note, HWND owner) {
  NOTE_PAD copy = note;
  bool changed = false;
  switch (command) {
    case kCmdPaperColor:
    case kCmdTextColor: {
      const bool paper = command == kCmdPaperColor;
      CHOOSECOLORW cc{sizeof cc};
      cc.hwndOwner = owner;
      cc.rgbResult = paper ? copy.paperColor : copy.textColor;
      cc.lpCustColors = customColors_;
      cc.Flags = CC_FULLOPEN | CC_RGBINIT;
      if (!::ChooseColorW(&cc)) return;
      (paper ? copy.paperColor : copy.textColor) = cc.rgbResult;
      copy.flags |= paper ? kNoteOwnPaperColor : kNoteOwnTextColor;
      changed = true;
      break;
    }
    case kCmdTextFont: {
      // The dialog counts points at the system DPI; the note keeps the height at 96 DPI.
      const uint32_t dpi = SystemDpi();
      ::LOGFONTW lf = ToWinFontAt(copy.font, dpi);
      CHOOSEFONTW cf{sizeof cf};
      cf.hwndOwner = owner;
      cf.lpLogFont = &lf;
      cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
      if (!::ChooseFontW(&cf)) return;
      copy.font = FromWinFontAt(lf, dpi);
      copy.flags |= kNoteOwnFont;
      changed = true;
      break;
    }
    case kCmdSaveAsDefault: {
      if (!(copy.flags & kNoteOwnCosmetics)) return;
      NOTE_CATE cate = store_->LoadCategory(copy.category);
      if (copy.flags & kNoteOwnTextColor) cate.textColor = copy.textColor;
      if (copy.flags & kNoteOwnFont) cate.font = copy.font;
      if (copy.flags & kNoteOwnPaperColor) cate.paperColor = copy.paperColor;
      if (copy.flags & kNoteOwnSkin) cate.skin = copy.skin;
      store_->SaveCategory(cate, true);
      copy.flags &= ~static_cast<uint32_t>(kNoteOwnCosmetics);
      changed = true;
      break;
    }
    case kCmdLoadDefault:
      if (!(copy.flags & kNoteOwnCosmetics)) return;
      copy.flags &= ~static_cast<uint32_t>(kNoteOwnCosmetics);
      changed = true;
      break;
    default:
      return;
  }
  if (changed) store_->SaveNote(copy);
}

// ---------------------------------------------------------------- command targets

void CMainWnd::PostQuickMenu(char16_t letter, int category) {
  ::PostMessageW(GetSafeHwnd(), WM_QUICK_MENU, static_cast<WPARAM>(letter), static_cast<LPARAM>(category));
}

void CMainWnd::NewNoteFromCommand(int category, const std::u16string* text) { NewNote(category, text); }

bool CMainWnd::IsUrl(const std::u16string& path) { return ::PathIsURLW(AsWide(path)) != FALSE; }

void CMainWnd::OpenNoteById(uint32_t id) {
  NOTE_PAD note;
  if (id != 0 && store_->LoadNote(id, note) == kFileOk) OpenNoteWindow(note, kOpenUser, -1);
}

void CMainWnd::ImportNoteFile(const std::u16string& path) {
  // A file that does not read as a note is ignored without a word.
  if (auto saved = zavra::ImportNoteFile(*store_, path, Placement())) OpenNoteWindow(*saved, kOpenUser, -1);
}

}  // namespace zavra
