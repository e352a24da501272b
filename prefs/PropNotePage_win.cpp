#include "prefs/PropNotePage_win.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "notewnd/AdjustWnd_win.h"
#include "notewnd/TrackWnd_win.h"
#include "resources/notezavra_res.h"

namespace zavra {

CPropNotePage::CPropNotePage(IPreferencesHost& host) : CQePropPage(IDD_PREF_NOTE, host) {}

CPropNotePage::~CPropNotePage() = default;

bool CPropNotePage::OnInitDialog() {
  bool tipOn = true;
  std::u16string tipText = ToU16(LoadResString(IDS_SCHEDULED_TIME));
  if (auto key = host().OpenSettingsKey()) {
    if (auto v = key->GetDword(u"NoteTip")) tipOn = *v != 0;
    if (auto v = key->GetString(u"NoteTipText")) tipText = *v;
  }
  values_ = LoadNotePage(host().CurrentSettings(), tipOn, std::move(tipText));
  FillList(IDC_PN_ALIGN, {IDS_ALIGN_NORMAL, IDS_ALIGN_CENTER});
  SetSpinRange(IDC_PN_OPACITY_SPIN, kOpacityRange.min, kOpacityRange.max);
  SetSpinRange(IDC_PN_MARGIN_SPIN, kMarginRange.min, kMarginRange.max);
  SetSpinRange(IDC_PN_GAP_SPIN, kGapRange.min, kGapRange.max);
  SetSpinRange(IDC_PN_TRACKGAP_SPIN, kGapRange.min, kGapRange.max);
  SetSpinRange(IDC_PN_PREOPEN1_SPIN, kPreopenMinutesRange.min, kPreopenMinutesRange.max);
  SetSpinRange(IDC_PN_PREOPEN2_SPIN, kPreopenMinutesRange.min, kPreopenMinutesRange.max);
  UpdateData(false);

  // The tracker area as the trackers would use it: no larger than the work area, inside it.
  const RECT32 area = TrackAreaOnScreen(values_.trackRect);
  trackerArea_ = std::make_unique<CAdjustWnd>();
  trackerArea_->SetOnChanged([this] { MarkModified(); });
  trackerArea_->Create(area, GetSafeHwnd());
  FinishInit();
  return true;
}

void CPropNotePage::DoDataExchange(DataExchange& dx) {
  dx.Int(IDC_PN_OPACITY, values_.opacity, kOpacityRange.min, kOpacityRange.max);
  dx.Int(IDC_PN_MARGIN, values_.margin, kMarginRange.min, kMarginRange.max);
  dx.ComboIndex(IDC_PN_ALIGN, values_.align);
  dx.Check(IDC_PN_SNAP, values_.snap);
  dx.Int(IDC_PN_GAP, values_.gap, kGapRange.min, kGapRange.max);
  dx.Int(IDC_PN_TRACKGAP, values_.trackGap, kGapRange.min, kGapRange.max);
  // The ranges hold whether or not their boxes are ticked.
  dx.Check(IDC_PN_PREOPEN1_ON, values_.preopen1On);
  dx.Int(IDC_PN_PREOPEN1, values_.preopen1Minutes, kPreopenMinutesRange.min, kPreopenMinutesRange.max);
  dx.Check(IDC_PN_PREOPEN2_ON, values_.preopen2On);
  dx.Int(IDC_PN_PREOPEN2, values_.preopen2Minutes, kPreopenMinutesRange.min, kPreopenMinutesRange.max);
  dx.Check(IDC_PN_TIP_ON, values_.tipOn);
  std::wstring tip = ToWide(values_.tipText);
  dx.Text(IDC_PN_TIP_TEXT, tip);
  if (dx.saving()) values_.tipText = ToU16(tip);
}

bool CPropNotePage::OnCommand(UINT id, UINT code, HWND) {
  if (code == BN_CLICKED || code == EN_CHANGE || (code == CBN_SELCHANGE && id == IDC_PN_ALIGN)) {
    MarkModified();
    return true;
  }
  return false;
}

bool CPropNotePage::OnSetActive() {
  if (trackerArea_) trackerArea_->Show(true);
  return true;
}

bool CPropNotePage::OnKillActive() {
  if (!UpdateData(true)) return false;
  if (trackerArea_) trackerArea_->Show(false);
  return true;
}

INT_PTR CPropNotePage::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The editor belongs to the page: it goes with the page, whichever way the sheet ends.
  if (msg == WM_DESTROY && trackerArea_) trackerArea_->DestroyWindow();
  return CQePropPage::DialogProc(msg, wp, lp);
}

bool CPropNotePage::Store() {
  if (trackerArea_ && trackerArea_->GetSafeHwnd()) values_.trackRect = trackerArea_->Rect();
  if (auto key = host().OpenSettingsKey()) {
    key->SetDword(u"NoteTip", values_.tipOn);
    key->SetString(u"NoteTipText", values_.tipText);
  }
  host().ApplyNotePage(values_);
  return true;
}

}  // namespace zavra
