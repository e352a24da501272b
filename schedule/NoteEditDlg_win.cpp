#include "schedule/NoteEditDlg_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "schedule/PickerTime_win.h"
#include "schedule/ScheRepeatDlg_win.h"

namespace zavra {

namespace {

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExchangeText(DataExchange& dx, int id, std::u16string& value) {
  std::wstring text = ToWide(value);
  dx.Text(id, text);
  if (dx.saving()) value = ToU16(text);
}

}  // namespace

CNoteEditDlg::CNoteEditDlg(INoteEditHost& host, const NOTE_PAD& note, bool isNew)
    : CDialog(IDD_NOTE_EDIT), host_(host), original_(note), note_(note), isNew_(isNew) {}

bool CNoteEditDlg::OnInitDialog() {
  HWND dlg = GetSafeHwnd();
  iconList_.SubclassDlgItem(IDC_NOTE_ICON, dlg);
  cateList_.SubclassDlgItem(IDC_NOTE_CATEGORY, dlg);
  textBox_.SubclassDlgItem(IDC_NOTE_TEXT, dlg);
  linkBox_.Attach(dlg, IDC_NOTE_LINK);
  soundList_.SubclassDlgItem(IDC_SOUND_LIST, dlg);
  scheduleShown_ = true;
  modified_ = categoryChanged_ = false;

  values_ = OpenNoteEdit(original_, presets_, host_.Now());
  if (isNew_ && presets_.scheduleOn) values_.showOnCalendar = true;
  images_.reset(::ImageList_LoadImageW(nullptr, host_.IconStripPath().c_str(), 16, 10, CLR_DEFAULT, IMAGE_BITMAP,
                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  iconList_.Fill(images_.get());
  cateList_.SetImages(images_.get());
  LoadCategories();
  soundList_.Fill(ToWide(values_.sound));
  ::SendMessageW(Item(IDC_NOTE_TEXT), EM_SETLIMITTEXT, 0, 0);
  UpdateData(false);
  ApplyCategory();
  RefreshRecurrence();

  const RECT group = ClientRectOf(dlg, Item(IDC_SCHEDULE_GROUP));
  const RECT buttons = ClientRectOf(dlg, Item(IDC_SCHEDULE_TOGGLE));
  foldHeight_ = buttons.top - group.top;
  ShowSchedule(values_.scheduleOn);

  ::EnableWindow(Item(IDC_CATEGORY_MANAGE), host_.CanManageCategories());
  if (!isNew_) ::SetWindowTextW(dlg, LoadResString(IDS_EDIT_NOTE_CAPTION).c_str());
  UpdateOkButton();
  ::SetFocus(Item(IDC_NOTE_TEXT));
  return false;
}

void CNoteEditDlg::DoDataExchange(DataExchange& dx) {
  ExchangeText(dx, IDC_NOTE_TEXT, values_.text);
  ExchangeText(dx, IDC_NOTE_LINK, values_.link);
  dx.Check(IDC_SHOW_ON_CALENDAR, values_.showOnCalendar);
  dx.Check(IDC_SCHEDULE_TOGGLE, values_.scheduleOn);
  dx.Check(IDC_OPEN_AT_TIME, values_.openAtTime);
  dx.Check(IDC_LAUNCH_LINK, values_.launchLink);
  dx.Check(IDC_PLAY_SOUND, values_.playSound);
  ExchangeDate(dx, IDC_START_DATE, values_.startDay);
  ExchangeDate(dx, IDC_END_DATE, values_.endDay);
  ExchangeTimeOfDay(dx, IDC_TIME_FROM, values_.timeFrom);
  ExchangeTimeOfDay(dx, IDC_TIME_TO, values_.timeTo);
  if (dx.saving()) values_.sound = ToU16(soundList_.path());
}

void CNoteEditDlg::LoadCategories() {
  categories_ = host_.Categories();
  cateList_.Fill(categories_);
  if (!cateList_.SelectId(values_.category) && !categories_.items.empty()) {
    ::SendMessageW(cateList_, CB_SETCURSEL, 0, 0);
    values_.category = static_cast<uint16_t>(categories_.items.front().id);
  }
}

void CNoteEditDlg::ApplyCategory() {
  colors_ = TextBoxColors(original_, categories_.Resolve(values_.category));
  paperBrush_.reset(::CreateSolidBrush(colors_.paper));
  ::InvalidateRect(Item(IDC_NOTE_TEXT), nullptr, TRUE);
  ApplyIconRule();
}

void CNoteEditDlg::ApplyIconRule() {
  const int categoryIcon = categories_.Resolve(values_.category).icon;
  iconList_.Select(IconFor(values_.iconSet, values_.icon, categoryIcon, iconList_.count()));
  ::EnableWindow(Item(IDC_ICON_RESET), values_.iconSet);
}

void CNoteEditDlg::RefreshRecurrence() {
  const std::u16string text =
      DescribeRecurrence(values_.repeatKind, values_.repeatParam, values_.repeatInterval, host_.Names());
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_RECUR_TEXT, AsWide(text));
  ::EnableWindow(Item(IDC_END_DATE), EndDateEnabled(values_.repeatKind, values_.openEnded));
  ::InvalidateRect(Item(IDC_RECUR_TEXT), nullptr, TRUE);
}

void CNoteEditDlg::UpdateOkButton() {
  const int n = ::GetWindowTextLengthW(Item(IDC_NOTE_TEXT));
  std::wstring text(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(::GetWindowTextW(Item(IDC_NOTE_TEXT), text.data(), n + 1), 0)));
  ::EnableWindow(Item(IDOK), HasNoteText(ToU16(text)));
}

void CNoteEditDlg::ShowSchedule(bool shown) {
  if (shown == scheduleShown_) return;
  HWND dlg = GetSafeHwnd();
  // Everything inside the schedule group goes or comes back; the buttons below it move.
  const RECT group = ClientRectOf(dlg, Item(IDC_SCHEDULE_GROUP));
  const int delta = shown ? foldHeight_ : -foldHeight_;
  for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(c);
    const RECT r = ClientRectOf(dlg, c);
    if (id == IDOK || id == IDCANCEL || id == IDC_SCHEDULE_TOGGLE) {
      ::SetWindowPos(c, nullptr, r.left, r.top + delta, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (r.top >= group.top && r.top < group.bottom) {
      ::ShowWindow(c, shown ? SW_SHOWNA : SW_HIDE);
    }
  }
  RECT w{};
  ::GetWindowRect(dlg, &w);
  ::SetWindowPos(dlg, nullptr, 0, 0, w.right - w.left, w.bottom - w.top + delta,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  scheduleShown_ = shown;
  KeepInWorkArea();
}

void CNoteEditDlg::KeepInWorkArea() {
  MONITORINFO info{sizeof info};
  if (!::GetMonitorInfoW(::MonitorFromWindow(GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &info)) return;
  const RECT& work = info.rcWork;
  RECT w{};
  ::GetWindowRect(GetSafeHwnd(), &w);
  const LONG x = std::max(work.left, std::min(w.left, work.right - (w.right - w.left)));
  const LONG y = std::max(work.top, std::min(w.top, work.bottom - (w.bottom - w.top)));
  if (x != w.left || y != w.top)
    ::SetWindowPos(GetSafeHwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CNoteEditDlg::OnCommand(UINT id, UINT code, HWND) {
  switch (id) {
    case IDC_NOTE_TEXT:
      if (code == EN_CHANGE) UpdateOkButton();
      return code == EN_CHANGE;
    case IDC_NOTE_CATEGORY:
      if (code != CBN_SELCHANGE) return false;
      values_.category = static_cast<uint16_t>(cateList_.SelectedId(values_.category));
      categoryChanged_ = true;
      ApplyCategory();
      return true;
    case IDC_NOTE_ICON:
      if (code != CBN_SELCHANGE) return false;
      values_.iconSet = true;
      values_.icon = std::max(iconList_.selected(), 0);
      ::EnableWindow(Item(IDC_ICON_RESET), TRUE);
      return true;
    case IDC_ICON_RESET:
      values_.iconSet = false;
      ApplyIconRule();
      return true;
    case IDC_SOUND_LIST:
      if (code != CBN_SELCHANGE) return false;
      OnSoundChosen();
      return true;
    case IDC_SCHEDULE_TOGGLE: {
      if (code != BN_CLICKED) return false;
      const bool on = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_SCHEDULE_TOGGLE) == BST_CHECKED;
      ::CheckDlgButton(GetSafeHwnd(), IDC_SHOW_ON_CALENDAR, on ? BST_CHECKED : BST_UNCHECKED);
      ShowSchedule(on);
      return true;
    }
    case IDC_RECUR_SETTINGS:
      OnSettings();
      return true;
    case IDC_CATEGORY_MANAGE:
      OnManage();
      return true;
    case IDC_LINK_BROWSE:
      OnLinkBrowse();
      return true;
    default:
      return false;
  }
}

void CNoteEditDlg::OnSoundChosen() {
  if (!soundList_.OnSelChange(GetSafeHwnd()) || !GetSafeHwnd() || cancelledFromOutside()) return;
  std::wstring path = soundList_.path();
  if (path.empty()) path = ToWide(categories_.Resolve(values_.category).sound);
  host_.PreviewSound(path);
}

void CNoteEditDlg::OnSettings() {
  if (!UpdateData(true)) return;
  const RepeatSchedule before{values_.startDay,   values_.endDay,      values_.openEnded,
                              values_.repeatKind, values_.repeatParam, values_.repeatInterval};
  CScheRepeatDlg dlg(before, host_.Names(), host_.FirstDayOfWeek());
  if (dlg.DoModal(GetSafeHwnd()) != IDOK || !GetSafeHwnd() || cancelledFromOutside()) return;
  const RepeatSchedule& after = dlg.schedule();
  values_.startDay = after.startDay;
  values_.endDay = after.endDay;
  values_.openEnded = after.openEnded;
  values_.repeatKind = after.kind;
  values_.repeatParam = after.param;
  values_.repeatInterval = after.interval;
  DataExchange dx(GetSafeHwnd(), false);
  ExchangeDate(dx, IDC_START_DATE, values_.startDay);
  ExchangeDate(dx, IDC_END_DATE, values_.endDay);
  RefreshRecurrence();
}

void CNoteEditDlg::OnManage() {
  const uint16_t before = values_.category;
  host_.ManageCategories(GetSafeHwnd());
  if (!GetSafeHwnd() || cancelledFromOutside()) return;
  LoadCategories();
  if (values_.category != before) categoryChanged_ = true;
  ApplyCategory();
}

void CNoteEditDlg::OnLinkBrowse() {
  std::vector<wchar_t> file(520, L'\0');
  std::wstring filter = LoadResString(IDS_ALL_FILES_FILTER);
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  OPENFILENAMEW ofn{sizeof ofn};
  ofn.hwndOwner = GetSafeHwnd();
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&ofn) || !GetSafeHwnd() || cancelledFromOutside()) return;
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_NOTE_LINK, AsWide(QuotedPath(ToU16(file.data()))));
}

void CNoteEditDlg::OnOK() {
  if (!UpdateData(true) || !HasNoteText(values_.text)) return;
  NoteEditResult result = ApplyNoteEdit(original_, values_);
  const bool changed = result.changed || categoryChanged_;
  if (changed && !HasPossibleOccurrence(result.note)) {
    ::MessageBoxW(GetSafeHwnd(), LoadResString(IDS_NO_OCCURRENCE).c_str(), LoadResString(IDS_ERROR_CAPTION).c_str(),
                  MB_OK | MB_ICONERROR);
    return;
  }
  note_ = std::move(result.note);
  modified_ = changed;
  EndDialog(IDOK);
}

INT_PTR CNoteEditDlg::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  const HWND control = reinterpret_cast<HWND>(lp);
  const HDC dc = reinterpret_cast<HDC>(wp);
  if (msg == WM_CTLCOLOREDIT && control == Item(IDC_NOTE_TEXT) && paperBrush_) {
    ::SetTextColor(dc, colors_.text);
    ::SetBkColor(dc, colors_.paper);
    return reinterpret_cast<INT_PTR>(paperBrush_.get());
  }
  // A repeating rule's words read as a value, not as a disabled field.
  if (msg == WM_CTLCOLORSTATIC && control == Item(IDC_RECUR_TEXT) && values_.repeatKind >= kRepeatDaily) {
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
  }
  return CDialog::DialogProc(msg, wp, lp);
}

}  // namespace zavra
