#include "designer/DesignerApp_win.h"

#include "designer/DesignerDlg_win.h"
#include "designer/SkinFiles_win.h"
#include "framework/GdiPlus.h"
#include "skin/SkinLists_win.h"

namespace zavra {

CQelNoteDesignerApp::CQelNoteDesignerApp() = default;

CQelNoteDesignerApp::~CQelNoteDesignerApp() = default;

bool CQelNoteDesignerApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                                    ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS |
                                    ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  ::InitCommonControlsEx(&controls);
  InitOle();  // the file dialogs browse the shell's namespace
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
  skinsFolder_ = DesignerSkinsFolder();
  InitSkinLists(skinsFolder_);
  // Run as a modeless window under the application's loop, which gives it its shortcuts
  // before any control sees them; the program ends when it closes.
  dialog_ = std::make_unique<CQelNoteDesignerDlg>(skinsFolder_);
  dialog_->SetQuitOnDestroy(true);
  if (!dialog_->CreateModeless(nullptr)) return false;
  ::ShowWindow(*dialog_, SW_SHOW);
  return true;
}

bool CQelNoteDesignerApp::PreTranslateMessage(MSG& msg) { return dialog_ && dialog_->PreTranslateMessage(msg); }

int CQelNoteDesignerApp::ExitInstance() {
  dialog_.reset();
  FreeSkinLists();
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
  return CApplication::ExitInstance();
}

}  // namespace zavra
