#include "schedule/ScheRepeatDlg_win.h"

#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "schedule/PickerTime_win.h"

namespace zavra {

namespace {

void AddRow(HWND combo, const std::u16string& text) {
  ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(text)));
}

}  // namespace

CScheRepeatDlg::CScheRepeatDlg(const RepeatSchedule& schedule, const CalendarNames& names, int firstDayOfWeek)
    : CDialog(IDD_RECURRENCE), schedule_(schedule), names_(names), firstDayOfWeek_(firstDayOfWeek) {}

bool CScheRepeatDlg::OnInitDialog() {
  HWND dlg = GetSafeHwnd();
  for (const std::u16string& month : names_.monthNames) AddRow(Item(IDC_MONTH_LIST), month);
  for (const std::u16string& ordinal : names_.ordinals) AddRow(Item(IDC_ORDINAL_LIST), ordinal);
  for (int i = 0; i < 7; ++i) {
    const std::u16string& day = names_.dayNames[static_cast<size_t>(WeekdayAt(i, firstDayOfWeek_))];
    AddRow(Item(IDC_WEEKDAY_LIST), day);
    ::SetDlgItemTextW(dlg, IDC_WEEKDAY_FIRST + i, AsWide(day));
  }
  ::SendDlgItemMessageW(dlg, IDC_INTERVAL_SPIN, UDM_SETRANGE32, 1, 200);
  ::SendDlgItemMessageW(dlg, IDC_DAY_SPIN, UDM_SETRANGE32, 1, 31);
  controls_ = DecodeRepeat(schedule_, firstDayOfWeek_);
  UpdateData(false);
  ApplyVisibility();
  return true;
}

void CScheRepeatDlg::DoDataExchange(DataExchange& dx) {
  ExchangeDate(dx, IDC_START_DATE, controls_.startDay);
  ExchangeDate(dx, IDC_END_DATE, controls_.endDay);
  dx.Check(IDC_NO_END_DATE, controls_.openEnded);
  int family = static_cast<int>(controls_.family);
  dx.Radio(IDC_FAMILY_NONE, IDC_FAMILY_YEARLY, family);
  if (dx.saving()) controls_.family = family < 0 ? RepeatFamily::kNone : static_cast<RepeatFamily>(family);
  // Only what the family shows is checked: a stored interval of 0 under "No Recurrence" is no
  // reason to refuse OK.
  const RepeatVisibility shown = VisibleFor(controls_.family);
  if (!dx.saving() || shown.interval) dx.Int(IDC_INTERVAL, controls_.interval, 1, 200);
  for (int i = 0; i < 7; ++i) dx.Check(IDC_WEEKDAY_FIRST + i, controls_.weekdays[static_cast<size_t>(i)]);
  int by = controls_.byWeekday ? 1 : 0;
  dx.Radio(IDC_BY_DAY, IDC_BY_WEEKDAY, by);
  controls_.byWeekday = by == 1;
  if (!dx.saving() || shown.dayOrWeekday) dx.Int(IDC_DAY, controls_.day, 1, 31);
  dx.ComboIndex(IDC_ORDINAL_LIST, controls_.ordinal);
  dx.ComboIndex(IDC_WEEKDAY_LIST, controls_.weekday);
  dx.ComboIndex(IDC_MONTH_LIST, controls_.month);
}

RepeatFamily CScheRepeatDlg::CheckedFamily() const {
  for (int id = IDC_FAMILY_NONE; id <= IDC_FAMILY_YEARLY; ++id)
    if (::IsDlgButtonChecked(GetSafeHwnd(), id) == BST_CHECKED) return static_cast<RepeatFamily>(id - IDC_FAMILY_NONE);
  return RepeatFamily::kNone;
}

void CScheRepeatDlg::ApplyVisibility() {
  const RepeatFamily family = CheckedFamily();
  const RepeatVisibility v = VisibleFor(family);
  static constexpr UINT kUnits[] = {IDS_UNIT_DAYS, IDS_UNIT_WEEKS, IDS_UNIT_MONTHS, IDS_UNIT_YEARS};
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_UNIT_LABEL, LoadResString(kUnits[static_cast<int>(v.unit)]).c_str());
  const auto show = [this](int id, bool visible) { ::ShowWindow(Item(id), visible ? SW_SHOWNA : SW_HIDE); };
  for (int id : {IDC_NO_END_DATE, IDC_EVERY_LABEL, IDC_INTERVAL, IDC_INTERVAL_SPIN, IDC_UNIT_LABEL}) show(id, v.interval);
  for (int id = IDC_WEEKDAY_FIRST; id <= IDC_WEEKDAY_LAST; ++id) show(id, v.weekdays);
  for (int id : {IDC_BY_DAY, IDC_BY_WEEKDAY, IDC_DAY, IDC_DAY_SPIN, IDC_ORDINAL_LIST, IDC_WEEKDAY_LIST})
    show(id, v.dayOrWeekday);
  show(IDC_MONTH_LIST, v.month);
  const bool openEnded = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_NO_END_DATE) == BST_CHECKED;
  ::EnableWindow(Item(IDC_END_DATE), LastDayEnabled(family, openEnded));
}

bool CScheRepeatDlg::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return false;
  if ((id >= IDC_FAMILY_NONE && id <= IDC_FAMILY_YEARLY) || id == IDC_NO_END_DATE) {
    ApplyVisibility();
    return true;
  }
  return false;
}

void CScheRepeatDlg::OnOK() {
  if (!UpdateData(true)) return;
  schedule_ = EncodeRepeat(controls_, schedule_, firstDayOfWeek_);
  EndDialog(IDOK);
}

}  // namespace zavra
