#pragma once
// CSoundComboBox: a drop-down list of a sound file: "(Inherit)" (or the caller's text for "no
// file of its own"), the file when there is one, and "Browse...", which asks for a wave file.
#include <string>

#include "framework/Window.h"
#include "schedule/PickerLists.h"

namespace zavra {

class CSoundComboBox : public CWnd {
 public:
  // An empty `noFileText` is "(Inherit)".
  void Fill(const std::wstring& path, const std::wstring& noFileText = {});
  // The chosen file; empty for the first row.
  std::wstring path() const;
  // For CBN_SELCHANGE: takes the chosen row, running the file dialog (owned by `owner`) for
  // "Browse...". True when the choice is to be heard; a cancelled browse goes back to the row
  // chosen before and plays nothing.
  bool OnSelChange(HWND owner);

 private:
  void ShowRows();
  std::wstring noFileText_;
  SoundList list_;
};

}  // namespace zavra
