#pragma once
// CMainWnd: the hidden top-level window that owns the tray icon, the settings and saved
// lists, the note store, and routes every command that is not about one note.
#include "app/AlarmQueue.h"
#include "app/BackgroundRead_win.h"
#include "app/CommandProcessor.h"
#include "app/Folders_win.h"
#include "app/MenuModel.h"
#include "app/OwnerDrawMenu_win.h"
#include "app/Settings.h"
#include "framework/Dialog.h"
#include "framework/Window.h"
#include "notewnd/NoteWindowHost.h"
#include "notewnd/TrackerHost.h"
#include "store/NoteStore.h"
#include "store/Scatter.h"
#include <functional>
#include <memory>
#include <ctime>
#include <string>
#include <vector>

namespace zavra {

// Private window messages.
inline constexpr UINT WM_TRAY_NOTIFY = WM_APP + 0x37;
inline constexpr UINT WM_WINDOW_CLOSED = WM_APP + 0x38;
inline constexpr UINT WM_NOTE_NOTIFY = WM_APP + 0x39;
inline constexpr UINT WM_QUICK_MENU = WM_APP + 0x3B;
// The daily full read of the note files is done (posted by its thread).
inline constexpr UINT WM_NOTES_READ = WM_APP + 0x3D;
// Opens the preferences (wParam: start page) once the menu that asked for them has ended.
inline constexpr UINT WM_OPEN_PREFERENCES = WM_APP + 0x40;

// Codes of the note notification message.
enum NoteNotifyCode : WPARAM {
  kNotifyNoteChanged = 2,
  kNotifyNoteDeleted = 3,
  kNotifyCategoriesChanged = 11,
  kNotifyReopensChanged = 12,
  kNotifyDayChanged = 21,
  kNotifyAlarmFired = 99,
  kNotifyLayoutTrackers = 5235,
};

// Codes of the window-closed message: which kind of window reports its end.
enum WindowClosedCode : WPARAM {
  kClosedNoteWindow = 0,
  kClosedPad = 2,
  kClosedCalendar = 3,
  kClosedTracker = 6,
};

// Modes of opening a note window.
enum OpenMode : int { kOpenUser = 0, kOpenRestore = 1, kOpenAlarm = 2, kOpenFeed = 4, kOpenPreopen = 5 };

// Where the main window keeps its data; the program passes the real places, tests their own.
struct MainEnvironment {
  AppFolders folders;
  IFileSystem* files = nullptr;
  IRegistry* registry = nullptr;
  bool firstRun = false;
  std::wstring commandLine;
  // Seconds since 1970 UTC; tests drive the alarms with their own clock.
  std::function<int64_t()> clock;
};

class CNoteWnd;
class CFeedManager;
class MainWndFeeds;
class CPadFrame;
class CScheduleWnd;
class CTrackWnd;
class CPreferencesSheet;
struct NotePageValues;
struct MiscPageValues;

class CMainWnd : public CWnd,
                 public ICommandTarget,
                 public INoteWindowHost,
                 public ITrackerHost,
                 private StoreObserver,
                 private AlarmHost {
 public:
  explicit CMainWnd(MainEnvironment env);
  ~CMainWnd() override;

  // The one main window, or null before its creation handler ran.
  static CMainWnd* Get() { return theMainWnd_; }

  bool Create();
  NoteStore& store() { return *store_; }
  const Settings& settings() const { return settings_; }
  const SavedState& savedState() const { return state_; }
  const MainEnvironment& environment() const { return env_; }
  void MarkChanged(uint32_t marks) { changeMarks_ |= marks; }

  // --- operations used by commands, the pipe and other windows ---
  // New note in `category` (1 when it does not exist); no text: from the clipboard. The note
  // is saved and its window opened in the foreground. Returns the saved note's id, or 0.
  uint32_t NewNote(int category, const std::u16string* text);
  // Opens (or raises) the window of a note; null when none opened (held, or failed).
  CWnd* OpenNoteWindow(const NOTE_PAD& note, int mode, int topmost);
  // A note's cosmetics command (colour, font, save/load default) for a note window or tracker.
  void NoteCosmeticsCommand(UINT command, const NOTE_PAD& note, HWND owner);
  void UpdateTrayIcon();
  bool IsHolding() const;
  // Runs the alarm scan now and re-arms the scan timer.
  void RunAlarmScan();
  // The open window of a note, or null.
  CNoteWnd* FindNoteWindow(uint32_t id) const;
  const std::vector<CNoteWnd*>& noteWindows() const { return noteWindows_; }

  // --- the pad (MainWndPad_win.cpp) ---
  // Opens or raises the pad at `time` (0: now) with `note` selected when given; category
  // argument -1001 keeps the pad's filter, -1000 comes from the calendar, -1 "All of Interest",
  // 0 "All Categories", else a category id.
  void OpenPadAt(int64_t time, const NOTE_PAD* note, int categoryArgument);
  CPadFrame* pad() const { return pad_; }

  // --- the calendar (MainWndCalendar_win.cpp) ---
  // Opens or raises the calendar at `time` (0: now) with `note` selected when given.
  void OpenCalendarWith(const NOTE_PAD* note, int64_t time);
  CScheduleWnd* calendar() const { return calendar_; }

  // --- trackers (MainWndTrackers_win.cpp) ---
  // The tracker of a note, or null.
  CTrackWnd* FindTracker(uint32_t id) const;
  const std::vector<CTrackWnd*>& trackers() const { return trackers_; }

  // --- preferences (MainWndPrefs_win.cpp) ---
  // Opens the preferences at a page (0 Note ... 5 About), or raises the open sheet.
  void OpenPreferences(int startPage, HWND parent);
  // Ends an open sheet as Cancel: the program or the session is ending.
  void EndPreferences();
  CPreferencesSheet* preferences() const { return prefs_; }
  // What the Note and Misc. pages apply: written as their groups and followed at once.
  void ApplyNotePage(const NotePageValues& values);
  void ApplyMiscPage(const MiscPageValues& values);

  // --- INoteWindowHost ---
  const Settings& NoteSettings() const override { return settings_; }
  AlarmTipSettings AlarmTip() const override;
  NoteStore& Store() override { return *store_; }
  std::vector<RECT32> OtherNoteRects(const CNoteWnd* self) override;
  std::vector<MonitorArea> Monitors() override;
  std::wstring ProgramFolder() override { return env_.folders.program; }
  bool DeleteNote(const NOTE_PAD& note, HWND owner) override;
  void DuplicateNote(const NOTE_PAD& note) override;
  void SaveCopyAs(const NOTE_PAD& note, HWND owner) override;
  void LaunchLink(const NOTE_PAD& note) override;
  void CopyNote(const NOTE_PAD& note, unsigned mode) override;
  void EditNote(const NOTE_PAD& note, HWND owner) override;
  void TrackNote(const NOTE_PAD& note) override;
  void CosmeticsCommand(UINT command, const NOTE_PAD& note, HWND owner) override {
    NoteCosmeticsCommand(command, note, owner);
  }
  std::optional<SkinChoice> ChooseSkin(const NOTE_PAD& note, HWND owner) override;
  int ChooseReopenMinutes(HWND owner) override;
  // "Reopen After": the note comes back `seconds` from now.
  void ReopenAfter(uint32_t id, int64_t seconds) override;
  void AddToRecent(uint32_t id) override;
  void OpenPad(int category) override;
  void OpenCalendarAt(int64_t time) override;
  void NewNoteIn(int category) override;
  void SaveDefaultSizeAndPos(int32_t width, int32_t height, int32_t centreX, int32_t centreY) override;
  void NotesOnTopChanged() override { changeMarks_ |= kMarkOpenNotes; }
  void NoteWindowClosed(CNoteWnd* window) override;
  void NoteWindowGone(CNoteWnd* window) override;
  // --- ITrackerHost ---
  bool HoldingPopups() const override { return IsHolding(); }
  void OpenNote(const NOTE_PAD& note) override;
  void ToggleTrackersOnTop() override;
  void TrackersChanged() override { changeMarks_ |= kMarkTrackers; }
  void PostTrackerLayout() override;
  void PostTrackerClosed(CTrackWnd* tracker) override;

  // The note's sound, else its category's, else the program's chime; asynchronous.
  void PlayNoteSound(const NOTE_PAD& note);
  const AlarmQueue& alarms() const { return alarms_; }

  // --- the note index (MainWndIndex_win.cpp) ---
  // Starts reading every note file in the background now; false while a read is under way.
  bool StartFullNoteRead();
  bool FullNoteReadRunning() const { return fullRead_.Running(); }
  // The last sound file asked for (what a test can observe without a sound card).
  const std::wstring& lastSound() const { return lastSound_; }
  int64_t Now() const { return env_.clock ? env_.clock() : static_cast<int64_t>(std::time(nullptr)); }

  // --- the note dialogs (MainWndDialogs_win.cpp) ---
  // "New Note..." of the pad and the calendar: the note edit dialog on a new note in `category`
  // (1 when it does not exist), with the schedule ticked when asked and on the local date of
  // `presetDay` (any instant of it; 0: none). The note is saved and its window opened after OK.
  // Returns the saved note's id, or 0. `owner` may be gone when this returns.
  uint32_t NewNoteWithDialog(int category, bool presetSchedule, int64_t presetDay, HWND owner);
  // The sound preview: plays `path`, or the program's chime when it is empty.
  void PreviewSound(const std::wstring& path);
  // "Manage..." of the note edit dialog: the preferences on their category page. False while
  // the program has no preferences sheet.
  bool CanManageCategories() const;
  void ManageCategories(HWND owner);

  // --- ICommandTarget ---
  void OpenCalendar() override;
  void PostQuickMenu(char16_t letter, int category) override;
  void NewNoteFromCommand(int category, const std::u16string* text) override;
  void OpenPadFromCommand(int categoryArgument) override;
  bool IsUrl(const std::u16string& path) override;
  void OpenNoteById(uint32_t id) override;
  void ImportNoteFile(const std::u16string& path) override;
  void AddTrayIcon() override;
  void ShowStartupBalloon() override;

  // --- feeds (MainWndFeeds_win.cpp) ---
  // Null before the creation handler started it and after the window is destroyed.
  CFeedManager* feedManager() const;
  // A note from a feed item, saved and popped up (or held); false when it could not be saved.
  bool NewFeedNote(const std::u16string& text, const std::u16string& link, uint32_t category);
  void ShowNewFeedBalloon(const std::u16string& feedName);
  // An information balloon from the tray icon; both texts are cut to what the shell holds.
  void ShowTrayBalloon(const std::wstring& title, const std::wstring& text);

  // The menu being tracked (tests inspect it); null when none is up.
  HMENU trackedMenu() const { return trackedMenu_; }
  const OwnerDrawMenu& menuRows() const { return menuRows_; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  int OnCreate();
  void OnDestroy();
  void SaveState(bool loggingOff);
  LRESULT OnCopyData(HWND sender, const COPYDATASTRUCT* data);
  void OnTrayNotify(UINT mouseMessage);
  void ShowTrayMenu();
  void ShowQuickMenu(char16_t letter, int number);
  void TrackMenu(HMENU menu, int mode);
  void RunDynamicCommand(UINT command);
  void FillTrayData(NOTIFYICONDATAW& nid, UINT flags) const;
  void Release(bool all);
  void BringFront();
  void SetNotesOnTop(bool onTop);
  // An open window asked for again: back into its work area and shown.
  void ShowExistingNoteWindow(CNoteWnd& window);
  void StartProgram(const wchar_t* exe);
  RECT32 NewNoteRect() const;
  // Where a new or imported note goes: NoteSize around NotePos2, scattered.
  NotePlacement Placement() const;
  void LaunchNoteLink(const std::u16string& link);
  void StartFeeds();
  void StopFeeds();

  // Writes the marked state lists, the open windows taken as they are now.
  void WriteLists();
  // Every note window saves its state; at exit the windows go too.
  void SaveNoteWindows(bool destroy);
  void PostToNoteWindows(WPARAM code);
  void OnWindowClosed(WPARAM code, LPARAM window);
  // Every window that shows notes hears of a change: the pad, the calendar and the trackers
  // (note windows are told by their own routines). `note` is a copy that outlives the call.
  void NotifyPad(WPARAM code, const NOTE_PAD* note, uint32_t id);
  void NotifyCalendar(WPARAM code, const NOTE_PAD* note, uint32_t id);
  void NotifyTrackers(WPARAM code, const NOTE_PAD* note, uint32_t id);
  void PadClosed();
  void CalendarClosed();
  void TrackerClosed(CTrackWnd* tracker);
  // At exit (destroy) or log-off the pad and the calendar keep their state.
  void SavePadAndCalendar(bool destroy);
  void SavePad(bool destroy);
  // Tracker list state, the stack's layout and restoring at start-up.
  void RestoreTrackers();
  void SaveTrackers(bool destroy);
  std::vector<TrackerEntry> TrackerEntries() const;
  void LayoutTrackers(bool sort, bool refresh);
  // A tracker for the note, or the alarm for the one it has.
  void AddTracker(const NOTE_PAD& note, bool alarm);
  // A tracked note rings in its tracker, and in its window only when that is open already;
  // false when the note has no tracker.
  bool RingTrackedNoteWindow(uint32_t id);

  // The index: written a few seconds after the last change and at exit, never while saving;
  // read in full in the background once a day.
  static constexpr UINT_PTR kTimerIndexWrite = 994;
  void ScheduleIndexWrite();
  void WriteIndexNow();
  void StartFullNoteReadIfDue();
  void OnNotesRead();
  void FinishIndex(bool exiting);

  // StoreObserver
  void OnNoteChanged(const NOTE_PAD& note) override;
  void OnCategoriesChanged() override;
  void OnNoteDeleted(uint32_t id) override;
  void OnNoteSaved(const NOTE_PAD& note) override;
  // AlarmHost
  std::optional<NOTE_PAD> LoadNote(uint32_t id) override;
  void PreOpen(const NOTE_PAD& note) override;
  void Fire(const NOTE_PAD& note) override;
  void Reopen(const NOTE_PAD& note) override;
  void DayChanged() override;
  void RescanOccurrences(int64_t now) override;
  void ReopensChanged() override;

  static CMainWnd* theMainWnd_;
  MainEnvironment env_;
  std::unique_ptr<NoteStore> store_;
  Settings settings_;
  SavedState state_;
  uint32_t changeMarks_ = 0;
  UINT taskbarCreatedMessage_ = 0;
  bool doubleClickGuard_ = false;
  bool menuUp_ = false;
  bool ending_ = false;  // saving its state to end or log off: no scans, no new windows
  int64_t lastAlarmScan_ = 0;
  int menuMode_ = 0;
  std::vector<DynamicAction> menuActions_;
  OwnerDrawMenu menuRows_;
  HMENU trackedMenu_ = nullptr;
  ::COLORREF customColors_[16] = {};
  AlarmQueue alarms_;
  std::vector<CNoteWnd*> noteWindows_;  // owned; deleted when their window is gone
  CPadFrame* pad_ = nullptr;
  CScheduleWnd* calendar_ = nullptr;
  std::vector<CTrackWnd*> trackers_;
  CBackgroundNoteRead fullRead_;
  CPreferencesSheet* prefs_ = nullptr;  // while the sheet runs
  std::wstring lastSound_;
  // The copied note id on the clipboard: private-format data is ours to free.
  HGLOBAL clipboardNoteId_ = nullptr;
  // Dialogs run for a note (id 0: a new one). They end as Cancel before their note or the
  // program goes, so nothing returns into a window that is gone.
  struct RunningDialog {
    CDialog* dialog;
    uint32_t noteId;
  };
  std::vector<RunningDialog> runningDialogs_;
  INT_PTR RunNoteDialog(CDialog& dialog, uint32_t noteId, HWND owner);
  // Ends the dialogs of one note, or every one (nothing given).
  void CancelNoteDialogs(std::optional<uint32_t> noteId);
  std::shared_ptr<MainWndFeeds> feeds_;
};

}  // namespace zavra
