#pragma once
// CIconComboBoxEx: an extended combo box of the icon strip's icons. Row 0 is blank (no icon);
// row i shows image i of the strip, so a row is an icon index.
#include "framework/Window.h"

namespace zavra {

class CIconComboBoxEx : public CWnd {
 public:
  // `images` stays the caller's; null leaves the blank row alone.
  void Fill(HIMAGELIST images);
  int count() const;
  void Select(int row);
  // The selected row, or -1.
  int selected() const;
};

}  // namespace zavra
