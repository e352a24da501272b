#pragma once
// CPropCatePage: the categories, edited as a working list and written back together.
#include <memory>
#include <vector>

#include "framework/Handles.h"
#include "notewnd/NoteSampleWnd_win.h"
#include "schedule/IconComboBoxEx_win.h"
#include "schedule/SkinComboBox_win.h"
#include "schedule/SoundComboBox_win.h"
#include "prefs/QePropPage_win.h"
#include "store/NoteRecord.h"

namespace zavra {

class CPropCatePage : public CQePropPage {
 public:
  explicit CPropCatePage(IPreferencesHost& host);
  ~CPropCatePage() override;
  const std::vector<NOTE_CATE>& workingList() const { return list_; }
  int selectedIndex() const { return current_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool Store() override;

 private:
  NOTE_CATE* Selected();
  // Fills the name box from the store, keeping the selected name where it can.
  void LoadList();
  void ShowSelected();
  // A name typed into the box becomes the selected category's name.
  void TakeTypedName();
  void NewCategory();
  void DeleteCategory();
  void PickColor(bool paper);
  void PickFont();
  void UpdateSample();
  HWND Item(int id) const { return ::GetDlgItem(GetSafeHwnd(), id); }

  std::vector<NOTE_CATE> list_;
  int current_ = -1;  // the category the controls show; the box's selection is lost while typing
  int variation_ = 0;
  ImageListHandle icons_;
  CNoteSampleWnd sample_;
  CIconComboBoxEx iconBox_;
  CSoundComboBox soundBox_;
  CSkinComboBox skinBox_;
  ::COLORREF customColors_[16] = {};
  bool showing_ = false;  // controls being filled: their notifications are not edits
};

}  // namespace zavra
