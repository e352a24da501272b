#pragma once
// CQelNoteDesignerDlg: the designer's main window. It holds the document (title, layer list,
// current layer), shows the page of the current layer's kind beside the list, and runs the
// menu's commands: New, Open (the skin manager), Save, Save As, Import, Export, Preview.
#include <memory>
#include <optional>
#include <string>

#include "designer/LayerPages_win.h"
#include "designer/PreviewWnd_win.h"
#include "designer/SkinDocument.h"
#include "framework/Dialog.h"

namespace zavra {

class CQelNoteDesignerDlg : public CDialog {
 public:
  // `skinsFolder` ends with a backslash.
  explicit CQelNoteDesignerDlg(std::wstring skinsFolder);
  ~CQelNoteDesignerDlg() override;

  // Ends the message loop when the window goes (the program's main window).
  void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }
  // The keyboard shortcuts (Ctrl+N, Ctrl+O, Ctrl+S without Alt) for a message to the designer
  // or any of its pages; true when the message was one.
  bool PreTranslateMessage(const MSG& msg);

  // Reads the skin `title` from the skins folder and makes it the document; false (and the
  // document unchanged) when its "layers" cannot be read.
  bool OpenByTitle(const std::wstring& title);
  // Makes `records` (bottom first) the document.
  void LoadRecords(std::span<const SLAYER> records);

  const std::wstring& title() const { return title_; }
  const std::wstring& skinFolder() const { return skinFolder_; }
  const SkinDocument& document() const { return document_; }
  CPreviewWnd* preview() const { return preview_.get(); }

 protected:
  bool OnInitDialog() override;
  // Enter and Escape do not close the designer.
  void OnOK() override {}
  void OnCancel() override {}
  bool OnCommand(UINT id, UINT code, HWND control) override;
  INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Document
  void SetTitle(const std::wstring& title);
  void OnNew();
  bool Save();
  bool SaveAs();
  bool WriteSkin(const std::wstring& oldFolder, bool overwritePictures);

  // Layer list and pages
  void FillList();
  std::wstring EntryText(const SLAYER& layer) const;
  void SetEntryText(size_t index, const std::wstring& text);
  std::optional<size_t> Selection() const;
  void Select(size_t index);
  void OnSelectLayer();
  void CommitCurrent();
  CLayerDlg* PageFor(int32_t kind);
  void OnAddImage();
  void OnRemoveImage();
  void OnMove(bool up);
  void OnPreview();

  // Skin manager and portable skin files (DesignerDlgFiles_win.cpp)
  void OnSkinManager();
  void OnExport();
  void OnImport();
  int Import(const std::wstring& path);

  std::wstring skinsFolder_;
  std::wstring title_;
  std::wstring skinFolder_;
  SkinDocument document_;
  CLayerPaperDlg paperPage_;
  CLayerBorderDlg borderPage_;
  CLayerIconDlg iconPage_;
  CLayerImageDlg imagePage_;
  CLayerTextDlg textPage_;
  CLayerDlg* shownPage_ = nullptr;
  std::unique_ptr<CPreviewWnd> preview_;
  bool quitOnDestroy_ = false;
};

}  // namespace zavra
