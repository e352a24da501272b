#pragma once
// CNoteEditDlg ("New Note" / "Edit Note"): a note's text, link, icon, category, and its schedule
// with recurrence, sound and what happens at the time. It works on a copy of the record; the
// caller stores the result after OK (a new note always, an existing one when modified()).
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "schedule/CateComboBoxEx_win.h"
#include "schedule/IconComboBoxEx_win.h"
#include "schedule/LinkEdit_win.h"
#include "schedule/NoteEdit.h"
#include "schedule/NoteEditHost.h"
#include "schedule/SoundComboBox_win.h"
#include "schedule/TextEdit_win.h"

namespace zavra {

class CNoteEditDlg : public CDialog {
 public:
  // `host` must outlive the dialog.
  CNoteEditDlg(INoteEditHost& host, const NOTE_PAD& note, bool isNew);
  // A calendar day's new note: set before the dialog opens.
  void SetPresets(const NoteEditPresets& presets) { presets_ = presets; }

  // After OK: the record as written, and whether it differs from the one given.
  const NOTE_PAD& note() const { return note_; }
  bool modified() const { return modified_; }
  // Whether the schedule part is unfolded.
  bool scheduleShown() const { return scheduleShown_; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void DoDataExchange(DataExchange& dx) override;
  INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Fills the category list and selects the note's category, or the first one.
  void LoadCategories();
  // The text box's colours and the icon from the note's category.
  void ApplyCategory();
  void ApplyIconRule();
  void RefreshRecurrence();
  void UpdateOkButton();
  // Folds the schedule part away (the buttons move up to its place) or unfolds it.
  void ShowSchedule(bool shown);
  void KeepInWorkArea();
  void OnSettings();
  void OnManage();
  void OnLinkBrowse();
  void OnSoundChosen();

  INoteEditHost& host_;
  NOTE_PAD original_;
  NOTE_PAD note_;
  bool isNew_;
  NoteEditPresets presets_;
  NoteEditValues values_;
  CategoryList categories_;
  bool modified_ = false;
  bool categoryChanged_ = false;
  ImageListHandle images_;
  BrushHandle paperBrush_;
  NoteColors colors_;
  CIconComboBoxEx iconList_;
  CCateComboBoxEx cateList_;
  CTextEdit textBox_;
  CLinkEdit linkBox_;
  CSoundComboBox soundList_;
  bool scheduleShown_ = true;  // as the template lays it out
  int foldHeight_ = 0;         // pixels from the schedule group's top down to the buttons
};

}  // namespace zavra
