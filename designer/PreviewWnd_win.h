#pragma once
// CPreviewWnd: the designer's live preview, a skinned window showing the document as a note
// would: white paper, sample icons, no text. It stays on the screen while moved or resized,
// and closes with Escape.
#include "framework/Handles.h"
#include "skin/BkgWnd_win.h"

namespace zavra {

class CPreviewWnd : public CBkgWnd {
 public:
  // A hidden preview owned by `owner` whose paper covers `paper` (kept on the screen).
  bool Create(HWND owner, const RECT& paper);
  // Shows a new skin (null: none) without activating the window; with `besideOf`, the window
  // is first moved so that its right edge is 3 pixels left of that rectangle.
  void ShowSkin(SkinPtr skin, const RECT* besideOf = nullptr);

 protected:
  HICON GetLayerIcon(int32_t kind) override;
  void AdjustRect(int zone, RECT& paper) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  IconHandle noteIcon_;
  IconHandle linkIcon_;
};

// The work area of the monitor that holds most of `rect`.
RECT WorkAreaFor(const RECT& rect);

}  // namespace zavra
