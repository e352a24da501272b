#include "prefs/PropMiscPage_win.h"
#include "resources/notezavra_res.h"

namespace zavra {

CPropMiscPage::CPropMiscPage(IPreferencesHost& host) : CQePropPage(IDD_PREF_MISC, host) {}

bool CPropMiscPage::OnInitDialog() {
  values_ = LoadMiscPage(host().CurrentSettings());
  FillList(IDC_PM_TRAY_DEFAULT, {IDS_TRAY_NEW_NOTE, IDS_TRAY_OPEN_PAD, IDS_TRAY_OPEN_CALENDAR});
  SetSpinRange(IDC_PM_RECENT_SPIN, kRecentRange.min, kRecentRange.max);
  SetSpinRange(IDC_PM_AUTODEL_SPIN, kAutoDeleteDaysRange.min, kAutoDeleteDaysRange.max);
  UpdateData(false);
  FinishInit();
  return true;
}

void CPropMiscPage::DoDataExchange(DataExchange& dx) {
  dx.ComboIndex(IDC_PM_TRAY_DEFAULT, values_.trayDefault);
  dx.Int(IDC_PM_RECENT, values_.recentCount, kRecentRange.min, kRecentRange.max);
  dx.Check(IDC_PM_HOLD_FS, values_.holdFullScreen);
  dx.Check(IDC_PM_AUTODEL_ON, values_.autoDeleteOn);
  // The range holds whether or not the box is ticked.
  dx.Int(IDC_PM_AUTODEL, values_.autoDeleteDays, kAutoDeleteDaysRange.min, kAutoDeleteDaysRange.max);
  dx.Check(IDC_PM_SHADOW, values_.noteShadow);
  dx.Check(IDC_PM_CLEARTYPE, values_.clearType);
}

bool CPropMiscPage::OnCommand(UINT id, UINT code, HWND) {
  if ((code == BN_CLICKED && id != IDC_PM_TRAY_DEFAULT) || code == EN_CHANGE ||
      (code == CBN_SELCHANGE && id == IDC_PM_TRAY_DEFAULT)) {
    MarkModified();
    return true;
  }
  return false;
}

bool CPropMiscPage::Store() {
  host().ApplyMiscPage(values_);
  return true;
}

}  // namespace zavra
