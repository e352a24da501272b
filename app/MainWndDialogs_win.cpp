// The main window's side of the note edit dialog and the skin chooser.
#include "app/MainWnd_win.h"

namespace zavra {

uint32_t CMainWnd::NewNoteWithDialog(int, bool, int64_t, HWND) { return 0; }

}  // namespace zavra
