#pragma once
// CTextEdit: an edit box (taken over from a dialog) where Ctrl+A selects the whole text.
#include "framework/Window.h"

namespace zavra {

class CTextEdit : public CWnd {
 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace zavra
