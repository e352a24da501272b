// The main window's side of the pad: opening and raising it, telling it of changes, and its
// state at exit.
#include "app/MainWnd_win.h"

namespace zavra {

void CMainWnd::OpenPadAt(int64_t, const NOTE_PAD*, int) {}
void CMainWnd::OpenPad(int category) { OpenPadAt(0, nullptr, category); }
void CMainWnd::OpenPadFromCommand(int categoryArgument) { OpenPadAt(0, nullptr, categoryArgument); }
void CMainWnd::NotifyPad(WPARAM, const NOTE_PAD*, uint32_t) {}
void CMainWnd::PadClosed() { pad_ = nullptr; }

}  // namespace zavra
