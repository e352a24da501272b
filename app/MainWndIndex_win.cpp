// The main window's side of the note index: its debounced writing, and the daily full read of
// the note files in the background, whose findings come back to this thread by message.
#include "app/MainWnd_win.h"

namespace zavra {

namespace {
// Saves tend to come in bursts (typing, moving a note); the index is written once they stop.
constexpr UINT kIndexWriteDelayMs = 5000;
}  // namespace

void CMainWnd::ScheduleIndexWrite() {
  if (GetSafeHwnd() && store_->IndexNeedsWrite()) ::SetTimer(GetSafeHwnd(), kTimerIndexWrite, kIndexWriteDelayMs, nullptr);
}

void CMainWnd::WriteIndexNow() {
  ::KillTimer(GetSafeHwnd(), kTimerIndexWrite);
  if (store_->IndexNeedsWrite()) store_->WriteIndex();
}

bool CMainWnd::StartFullNoteRead() {
  return GetSafeHwnd() && fullRead_.Start(store_->DataFolder(), GetSafeHwnd(), WM_NOTES_READ);
}

void CMainWnd::StartFullNoteReadIfDue() {
  if (!fullRead_.Running() && store_->FullReadDue()) StartFullNoteRead();
}

void CMainWnd::OnNotesRead() {
  const std::optional<NoteFolderRead> read = fullRead_.Take();
  if (!read) return;
  // Files changed behind the index's back: their alarms are queued again from what they hold now.
  const std::vector<NoteIndexEntry> changed = store_->MergeFullRead(*read);
  const int64_t now = Now();
  bool queued = false;
  for (const NoteIndexEntry& e : changed) {
    if (e.result != kFileOk)
      alarms_.Remove(e.note.fixed.id);
    else
      queued = alarms_.QueueNote(e.note.ScheduleRecord(), now) || queued;
  }
  if (queued) RunAlarmScan();
  ScheduleIndexWrite();
}

void CMainWnd::FinishIndex(bool exiting) {
  if (exiting) fullRead_.Stop();
  // Notes saved since the last listing are taken in, so the next start finds them all.
  store_->RefreshIndex();
  WriteIndexNow();
}

}  // namespace zavra
