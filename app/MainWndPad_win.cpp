// The main window's side of the pad: opening and raising it, telling it of changes, and its
// state at exit.
#include "app/MainWnd_win.h"
#include "pad/PadEntries.h"
#include "pad/PadFrame_win.h"

namespace zavra {

void CMainWnd::OpenPadAt(int64_t time, const NOTE_PAD* note, int categoryArgument) {
  if (ending_) return;  // a pad opened now would never be saved
  // A pad whose window closed before its report was read is gone already.
  if (pad_ && !pad_->GetSafeHwnd()) PadClosed();
  if (pad_) {
    pad_->Raise();
    // A plain call (the tray's "Open Pad") shows the pad as it was.
    if (note || time != 0 || categoryArgument != kPadKeepFilter) pad_->ShowInPad(time, note, categoryArgument);
    return;
  }
  auto* pad = new CPadFrame(*this);
  pad_ = pad;
  if (!pad->Create(time, note, categoryArgument)) {
    if (pad_ == pad) pad_ = nullptr;
    delete pad;
  }
}

// From a note window: -1 shows the pad as it was, else on that category.
void CMainWnd::OpenPad(int category) { OpenPadAt(0, nullptr, category < 0 ? kPadKeepFilter : category); }

void CMainWnd::OpenPadFromCommand(int categoryArgument) { OpenPadAt(0, nullptr, categoryArgument); }

void CMainWnd::NotifyPad(WPARAM code, const NOTE_PAD* note, uint32_t id) {
  if (!pad_ || !pad_->GetSafeHwnd()) return;
  switch (code) {
    case kNotifyNoteChanged:
      // The record is the caller's copy, valid during the call.
      if (note) ::SendMessageW(*pad_, WM_NOTE_NOTIFY, code, reinterpret_cast<LPARAM>(note));
      break;
    case kNotifyNoteDeleted:
      ::SendMessageW(*pad_, WM_NOTE_NOTIFY, code, static_cast<LPARAM>(id));
      break;
    case kNotifyCategoriesChanged:
    case kNotifyReopensChanged:
    case kNotifyDayChanged:
      // The pad reads the categories, the reopen list or its notes itself, once the caller is done.
      ::PostMessageW(*pad_, WM_NOTE_NOTIFY, code, 0);
      break;
    default:
      break;
  }
}

void CMainWnd::PadClosed() {
  // The report may come after a new pad took the closed one's place.
  if (!pad_ || pad_->GetSafeHwnd()) return;
  delete pad_;
  pad_ = nullptr;
}

void CMainWnd::SavePad(bool destroy) {
  if (!pad_) return;
  if (!destroy) {
    pad_->SaveState();
    return;
  }
  pad_->DestroyWindow();  // keeps "PadRect" on its way
  delete pad_;
  pad_ = nullptr;
}

}  // namespace zavra
