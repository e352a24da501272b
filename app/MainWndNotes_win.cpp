// The main window's side of the note windows: opening and listing them, telling them of
// changes, and everything a note window asks of the program.
#include "app/MainWnd_win.h"
#include "app/Geometry.h"
#include "app/RecentList.h"
#include "app/ReopenDlg_win.h"
#include "framework/Text.h"
#include "notewnd/NoteWnd_win.h"
#include "store/Clipboard_win.h"
#include "store/Links_win.h"
#include "store/PortableNote.h"
#include "store/PortableNote_win.h"
#include "store/StoreWin.h"
#include <mmsystem.h>
#include <algorithm>

namespace zavra {

CNoteWnd* CMainWnd::FindNoteWindow(uint32_t id) const {
  if (id == 0) return nullptr;
  for (CNoteWnd* w : noteWindows_)
    if (w->noteId() == id) return w;
  return nullptr;
}

void CMainWnd::ShowExistingNoteWindow(CNoteWnd& window) {
  const RECT32 paper = FromWinRect(window.PaperScreenRect());
  std::vector<RECT32> monitors, work;
  for (const MonitorArea& m : Monitors()) {
    monitors.push_back(m.monitor);
    work.push_back(m.work);
  }
  const RECT32 area = monitors.empty() ? paper : WorkAreaFor(paper, monitors, work);
  const RECT32 clamped = monitors.empty() ? paper : ClampInto(paper, area);
  if (clamped.left != paper.left || clamped.top != paper.top) window.SetPaperRect(ToWinRect(clamped));
  ::ShowWindow(window, SW_SHOWNA);
}

CWnd* CMainWnd::OpenNoteWindow(const NOTE_PAD& note, int mode, int topmost) {
  if (ending_) return nullptr;
  if (CNoteWnd* open = FindNoteWindow(note.id)) {
    ShowExistingNoteWindow(*open);
    open->ApplyOpenMode(mode);
    if (mode == kOpenUser) ::SetForegroundWindow(*open);
    return open;
  }
  if (mode >= kOpenAlarm && IsHolding()) {
    if (std::find(state_.held.begin(), state_.held.end(), note.id) == state_.held.end()) {
      state_.held.push_back(note.id);
      changeMarks_ |= kMarkHeld;
      UpdateTrayIcon();
    }
    return nullptr;
  }
  auto* window = new CNoteWnd(*this);
  window->SetClock([this] { return Now(); });
  noteWindows_.push_back(window);
  if (!window->Create(note, mode, topmost)) {
    noteWindows_.erase(std::remove(noteWindows_.begin(), noteWindows_.end(), window), noteWindows_.end());
    delete window;
    return nullptr;
  }
  changeMarks_ |= kMarkOpenNotes;
  if (CancelReopens(state_.reopens, note.id)) {
    ReopensChanged();
    if (mode == kOpenUser) ::PlaySoundW(L"SystemNotification", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
  }
  if (RemoveRecent(state_.recent, note.id)) changeMarks_ |= kMarkRecent;
  if (mode == kOpenUser) ::SetForegroundWindow(*window);
  return window;
}

void CMainWnd::NoteWindowClosed(CNoteWnd* window) {
  noteWindows_.erase(std::remove(noteWindows_.begin(), noteWindows_.end(), window), noteWindows_.end());
  changeMarks_ |= kMarkOpenNotes;
}

void CMainWnd::NoteWindowGone(CNoteWnd* window) {
  noteWindows_.erase(std::remove(noteWindows_.begin(), noteWindows_.end(), window), noteWindows_.end());
  delete window;
}

void CMainWnd::WriteLists() {
  if (changeMarks_ & kMarkOpenNotes) {
    state_.openNotes.clear();
    for (CNoteWnd* w : noteWindows_)
      if (w->noteId() != 0) state_.openNotes.push_back({w->noteId(), w->exStyle()});
  }
  if (changeMarks_ & kMarkTrackers) state_.trackers = TrackerEntries();
  auto key = env_.registry->OpenSettingsKey();
  WriteStateLists(key.get(), state_, changeMarks_);
  changeMarks_ = 0;
}

void CMainWnd::SaveNoteWindows(bool destroy) {
  const std::vector<CNoteWnd*> windows = noteWindows_;
  for (CNoteWnd* w : windows) {
    if (destroy)
      w->DestroyWindow();  // saves a moved or resized note on its way
    else
      w->SaveState();
  }
}

void CMainWnd::PostToNoteWindows(WPARAM code) {
  for (CNoteWnd* w : noteWindows_) ::PostMessageW(*w, WM_NOTE_NOTIFY, code, 0);
}

void CMainWnd::OnNoteChanged(const NOTE_PAD& note) {
  // Each window gets the same copy: none of them can free what the saver still reads.
  const NOTE_PAD copy = note;
  if (CNoteWnd* w = FindNoteWindow(copy.id))
    ::SendMessageW(*w, WM_NOTE_NOTIFY, kNotifyNoteChanged, reinterpret_cast<LPARAM>(&copy));
  NotifyPad(kNotifyNoteChanged, &copy, copy.id);
  NotifyCalendar(kNotifyNoteChanged, &copy, copy.id);
  NotifyTrackers(kNotifyNoteChanged, &copy, copy.id);
}

void CMainWnd::OnCategoriesChanged() {
  PostToNoteWindows(kNotifyCategoriesChanged);
  NotifyPad(kNotifyCategoriesChanged, nullptr, 0);
  NotifyCalendar(kNotifyCategoriesChanged, nullptr, 0);
  NotifyTrackers(kNotifyCategoriesChanged, nullptr, 0);
}

void CMainWnd::OnNoteDeleted(uint32_t id) {
  ScheduleIndexWrite();
  // Its dialogs end first: their owner, the note's window, is about to go.
  CancelNoteDialogs(id);
  if (RemoveRecent(state_.recent, id)) changeMarks_ |= kMarkRecent;
  alarms_.Remove(id);
  if (CNoteWnd* w = FindNoteWindow(id)) ::SendMessageW(*w, WM_NOTE_NOTIFY, kNotifyNoteDeleted, id);
  NotifyPad(kNotifyNoteDeleted, nullptr, id);
  NotifyCalendar(kNotifyNoteDeleted, nullptr, id);
  NotifyTrackers(kNotifyNoteDeleted, nullptr, id);
}

void CMainWnd::BringFront() {
  if (noteWindows_.empty()) return;
  ::SetForegroundWindow(GetSafeHwnd());
  for (CNoteWnd* w : noteWindows_)
    ::SetWindowPos(*w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMainWnd::SetNotesOnTop(bool onTop) {
  for (CNoteWnd* w : noteWindows_) {
    if (w->note().flags & kNoteTransient) continue;
    ::SetWindowPos(*w, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// ---------------------------------------------------------------- what note windows ask

AlarmTipSettings CMainWnd::AlarmTip() const {
  AlarmTipSettings tip;
  if (auto key = env_.registry->OpenSettingsKey()) {
    if (auto show = key->GetDword(u"NoteTip")) tip.show = *show != 0;
    if (auto text = key->GetString(u"NoteTipText")) tip.text = ToWide(*text);
  }
  return tip;
}

std::vector<RECT32> CMainWnd::OtherNoteRects(const CNoteWnd* self) {
  std::vector<RECT32> rects;
  for (CNoteWnd* w : noteWindows_)
    if (w != self && w->GetSafeHwnd()) rects.push_back(FromWinRect(w->PaperScreenRect()));
  return rects;
}

std::vector<MonitorArea> CMainWnd::Monitors() { return SystemMonitors(); }

bool CMainWnd::DeleteNote(const NOTE_PAD& note, HWND owner) { return DeleteNoteWithConfirmation(*store_, note, owner); }

void CMainWnd::DuplicateNote(const NOTE_PAD& note) {
  const auto copy = ImportNote(*store_, NOTE_PAD(note), ImportKind::kDuplicate, Placement());
  // A transient note's copy is never written, so it has no id to open.
  if (copy && copy->id != 0) OpenNoteWindow(*copy, kOpenUser, -1);
}

// Copies: the caller's record may go while a dialog or the shell runs.
void CMainWnd::SaveCopyAs(const NOTE_PAD& note, HWND owner) { zavra::SaveCopyAs(owner, NOTE_PAD(note)); }

void CMainWnd::LaunchLink(const NOTE_PAD& note) { LaunchNoteLink(std::u16string(note.link)); }

void CMainWnd::CopyNote(const NOTE_PAD& note, unsigned mode) {
  // The main window owns the copy: it outlives the note window and so gets WM_DESTROYCLIPBOARD.
  HGLOBAL noteIdData = nullptr;
  if (CopyNoteToClipboard(GetSafeHwnd(), note, mode, &noteIdData)) clipboardNoteId_ = noteIdData;
}


int CMainWnd::ChooseReopenMinutes(HWND owner) {
  CReopenDlg dlg;
  if (dlg.DoModal(owner) != IDOK) return 0;
  return static_cast<int>(std::clamp<int64_t>(dlg.TotalMinutes(), 0, INT32_MAX));
}

void CMainWnd::NewNoteIn(int category) { NewNote(category < 0 ? 1 : category, nullptr); }

void CMainWnd::SaveDefaultSizeAndPos(int32_t width, int32_t height, int32_t centreX, int32_t centreY) {
  settings_.noteWidth = width;
  settings_.noteHeight = height;
  settings_.notePosX = centreX;
  settings_.notePosY = centreY;
  auto key = env_.registry->OpenSettingsKey();
  WriteSizeAndPositionGroup(key.get(), settings_);
}

}  // namespace zavra
