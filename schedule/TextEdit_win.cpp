#include "schedule/TextEdit_win.h"

namespace zavra {

LRESULT CTextEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  // Ctrl+A arrives as the character 1; the plain edit control would only beep at it.
  if (msg == WM_CHAR && wp == 1) {
    ::SendMessageW(GetSafeHwnd(), EM_SETSEL, 0, -1);
    return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
