#pragma once
// CPropNotePage: how notes look and snap, the tracker stack, pre-opening and the alarm tip;
// with the tracker area shown as a window the user moves and sizes on the desktop.
#include <memory>

#include "prefs/PageValues.h"
#include "prefs/QePropPage_win.h"

namespace zavra {

class CAdjustWnd;

class CPropNotePage : public CQePropPage {
 public:
  explicit CPropNotePage(IPreferencesHost& host);
  ~CPropNotePage() override;
  const NotePageValues& values() const { return values_; }
  // The tracker area's editor while the page exists (tests move it).
  CAdjustWnd* trackerArea() const { return trackerArea_.get(); }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnSetActive() override;
  bool OnKillActive() override;
  INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool Store() override;

 private:
  NotePageValues values_;
  std::unique_ptr<CAdjustWnd> trackerArea_;
};

}  // namespace zavra
