#pragma once
// CLinkEdit: the note edit dialog's link box. A paste of a copied note becomes its "note:" link,
// a paste or drop of files the first file's quoted path; anything else pastes as usual.
#include "schedule/TextEdit_win.h"

namespace zavra {

class CLinkEdit : public CTextEdit {
 public:
  // Takes over the dialog's edit box and accepts dropped files.
  bool Attach(HWND dialog, int id);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool PasteLink();
  void SetLink(const std::u16string& link);
};

}  // namespace zavra
