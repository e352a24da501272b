// The main window's side of the calendar: opening and raising it, telling it of changes, and
// its state at exit.
#include "app/CalendarNames_win.h"
#include "app/MainWnd_win.h"
#include "app/NoteKitApp_win.h"
#include "schedule/ScheduleWnd_win.h"

namespace zavra {

namespace {

// The calendar's view of the main window.
class MainCalendarHost final : public ICalendarHost {
 public:
  explicit MainCalendarHost(CMainWnd& main) : main_(main) {
    // Without the application object (tests) the names come from the locale here.
    if (!CNoteKitApp::Get()) fallbackNames_ = LoadCalendarNames(::GetModuleHandleW(nullptr));
  }

  NoteStore& Store() override { return main_.store(); }
  const Settings& AppSettings() override { return main_.settings(); }
  std::unique_ptr<IRegistryKey> SettingsKey() override { return main_.environment().registry->OpenSettingsKey(); }
  const CalendarNames& Names() override {
    if (const CNoteKitApp* app = CNoteKitApp::Get()) return app->calendarNames();
    return fallbackNames_;
  }
  std::wstring IconStripPath() override { return main_.environment().folders.iconStrip; }
  int64_t Now() override { return main_.Now(); }

  void OpenNote(const NOTE_PAD& note) override { main_.OpenNoteWindow(note, kOpenUser, -1); }
  void LaunchLink(const NOTE_PAD& note) override { main_.LaunchLink(note); }
  void DuplicateNote(const NOTE_PAD& note) override { main_.DuplicateNote(note); }
  // Text, with the note's id for pasting the note itself.
  void CopyNote(const NOTE_PAD& note) override { main_.CopyNote(note, 5); }
  void SaveCopyAs(const NOTE_PAD& note, HWND owner) override { main_.SaveCopyAs(note, owner); }
  void EditNote(const NOTE_PAD& note, HWND owner) override { main_.EditNote(note, owner); }
  bool DeleteNote(const NOTE_PAD& note, HWND owner) override { return main_.DeleteNote(note, owner); }
  void NewNoteOn(int64_t day, HWND owner) override { main_.NewNoteWithDialog(1, true, day, owner); }
  void OpenPadAt(int64_t time, const NOTE_PAD* note) override { main_.OpenPadAt(time, note, -1000); }

  void CalendarGone() override {
    ::PostMessageW(main_.GetSafeHwnd(), WM_WINDOW_CLOSED, kClosedCalendar, 0);
  }

 private:
  CMainWnd& main_;
  CalendarNames fallbackNames_;
};

}  // namespace

void CMainWnd::OpenCalendarWith(const NOTE_PAD* note, int64_t time) {
  CalendarClosed();  // a window closed a moment ago whose message has not arrived
  const bool created = calendar_ == nullptr;
  if (created) {
    auto* window = new CScheduleWnd(std::make_unique<MainCalendarHost>(*this));
    if (!window->Create()) {
      window->Release();
      return;
    }
    calendar_ = window;
  }
  const HWND hwnd = calendar_->GetSafeHwnd();
  calendar_->ShowInCalendar(note, time);
  if (::IsIconic(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
  ::ShowWindow(hwnd, SW_SHOW);
  ::SetForegroundWindow(hwnd);
}

void CMainWnd::OpenCalendar() { OpenCalendarWith(nullptr, 0); }
void CMainWnd::OpenCalendarAt(int64_t time) { OpenCalendarWith(nullptr, time); }

void CMainWnd::NotifyCalendar(WPARAM code, const NOTE_PAD* note, uint32_t id) {
  if (!calendar_ || !calendar_->GetSafeHwnd()) return;
  const LPARAM lp = code == kNotifyNoteChanged ? reinterpret_cast<LPARAM>(note) : static_cast<LPARAM>(id);
  ::SendMessageW(calendar_->GetSafeHwnd(), WM_NOTE_NOTIFY, code, lp);
}

void CMainWnd::CalendarClosed() {
  // Only a calendar whose window is gone: a new one may have opened since this message was sent.
  if (calendar_ && !calendar_->GetSafeHwnd()) {
    calendar_->Release();
    calendar_ = nullptr;
  }
}

void CMainWnd::SavePadAndCalendar(bool destroy) {
  SavePad(destroy);
  if (calendar_ && calendar_->GetSafeHwnd()) {
    if (destroy)
      calendar_->DestroyWindow();  // keeps its rectangle on the way
    else
      calendar_->SaveState();
  }
  if (destroy) CalendarClosed();
}

}  // namespace zavra
