#pragma once
// CZavraSwizDlg ("Shortcut Wizard"): makes a shortcut that starts the launcher with one
// command of the main program, in the Start menu group or on the desktop, with a hot key.
#include "framework/Dialog.h"
#include "store/NoteRecord.h"
#include "wizard/WizardEnvironment_win.h"
#include <vector>

namespace zavra {

class CZavraSwizDlg : public CDialog {
 public:
  explicit CZavraSwizDlg(WizardEnvironment env);

  const std::vector<NOTE_CATE>& categories() const { return categories_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnOK() override;

 private:
  enum class Outcome { kCreated, kFailed, kKept };
  Outcome CreateShortcut();
  // False when the user would rather pick another hot key.
  bool AcceptHotKey(const std::u16string& path, WORD replacedHotKey);
  bool Ask(const std::wstring& question);
  void Tell(const std::wstring& text, UINT icon);
  void ProposeName();
  std::wstring Caption() const;

  WizardEnvironment env_;
  std::vector<NOTE_CATE> categories_;
  std::wstring name_;
  int location_ = 0;
  int action_ = 0;
  int category_ = 0;
  WORD hotKey_ = 0;
};

}  // namespace zavra
