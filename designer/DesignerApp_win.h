#pragma once
// CQelNoteDesignerApp: starts the common controls and GDI+, finds the skins folder and runs
// the designer's main dialog until it closes. The designer keeps no settings and takes no
// command line.
#include <memory>
#include <string>

#include "framework/Application.h"

namespace zavra {

class CQelNoteDesignerDlg;

class CQelNoteDesignerApp : public CApplication {
 public:
  CQelNoteDesignerApp();
  ~CQelNoteDesignerApp() override;
  const std::wstring& skinsFolder() const { return skinsFolder_; }

 protected:
  bool InitInstance() override;
  int ExitInstance() override;
  bool PreTranslateMessage(MSG& msg) override;

 private:
  std::wstring skinsFolder_;
  ULONG_PTR gdiplusToken_ = 0;
  std::unique_ptr<CQelNoteDesignerDlg> dialog_;
};

}  // namespace zavra
