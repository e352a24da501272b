#pragma once
// The property pages of the designer, one per layer kind, shown one at a time inside the main
// dialog. Each fills its controls from a layer record and copies them back.
#include <string>

#include "framework/Dialog.h"
#include "skin/SkinLayer.h"

namespace zavra {

class CLayerDlg : public CDialog {
 public:
  explicit CLayerDlg(UINT templateId) : CDialog(templateId) {}
  // Creates the page hidden, as a child of the main dialog at `rect` (its client coordinates).
  bool CreatePage(HWND parent, const RECT& rect);
  // Fills the controls from a record.
  virtual void LoadLayer(const SLAYER& layer) = 0;
  // Copies the controls into the record; false, and the record untouched, when a number box
  // does not hold an integer (the message has been shown).
  virtual bool SaveLayer(SLAYER& layer) = 0;

 protected:
  // Enter and Escape belong to the main dialog.
  void OnOK() override {}
  void OnCancel() override {}
};

class CLayerPaperDlg : public CLayerDlg {
 public:
  CLayerPaperDlg();
  void LoadLayer(const SLAYER& layer) override;
  bool SaveLayer(SLAYER& layer) override;

 protected:
  bool OnInitDialog() override;
};

// Shows what a border is; it has nothing to edit.
class CLayerBorderDlg : public CLayerDlg {
 public:
  CLayerBorderDlg();
  void LoadLayer(const SLAYER&) override {}
  bool SaveLayer(SLAYER&) override { return true; }
};

// Note Icon and Link Icon layers.
class CLayerIconDlg : public CLayerDlg {
 public:
  CLayerIconDlg();
  void LoadLayer(const SLAYER& layer) override;
  bool SaveLayer(SLAYER& layer) override;

 protected:
  bool OnInitDialog() override;
};

class CLayerTextDlg : public CLayerDlg {
 public:
  CLayerTextDlg();
  void LoadLayer(const SLAYER& layer) override;
  bool SaveLayer(SLAYER& layer) override;

 protected:
  bool OnInitDialog() override;
};

class CLayerImageDlg : public CLayerDlg {
 public:
  CLayerImageDlg();
  void LoadLayer(const SLAYER& layer) override;
  bool SaveLayer(SLAYER& layer) override;

  // Where bare picture names live: the skin's folder, empty while the skin is untitled.
  void SetSkinFolder(const std::wstring& folder) { skinFolder_ = folder; }
  // The image chooser: true when a picture was chosen and put into the "Image:" box.
  bool ChooseImage();
  // Puts a picture name into the "Image:" box as the chooser does; false (with a message)
  // when the name cannot be stored.
  bool SetChosenPicture(const std::wstring& path);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  std::wstring skinFolder_;
};

}  // namespace zavra
