#include "prefs/PropCatePage_win.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "prefs/PageValues.h"
#include "resources/notezavra_res.h"
#include "schedule/LocalTime.h"
#include "store/StoreWin.h"
#include <commdlg.h>

namespace zavra {

namespace {

// The name box's edit field keeps Enter to itself: it neither renames nor ends the sheet.
LRESULT CALLBACK SwallowEnter(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_GETDLGCODE && lp) {
    const auto* m = reinterpret_cast<const MSG*>(lp);
    if (m->message == WM_KEYDOWN && m->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
  }
  if ((msg == WM_KEYDOWN || msg == WM_KEYUP) && wp == VK_RETURN) return 0;
  if (msg == WM_CHAR && wp == L'\r') return 0;
  if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(h, SwallowEnter, 0);
  return ::DefSubclassProc(h, msg, wp, lp);
}

std::wstring ComboText(HWND combo) {
  const int n = ::GetWindowTextLengthW(combo);
  std::wstring s(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  s.resize(static_cast<size_t>(::GetWindowTextW(combo, s.data(), static_cast<int>(s.size()))));
  return s;
}

}  // namespace

CPropCatePage::CPropCatePage(IPreferencesHost& host) : CQePropPage(IDD_PREF_CATEGORY, host) {}

CPropCatePage::~CPropCatePage() = default;

bool CPropCatePage::OnInitDialog() {
  HWND self = GetSafeHwnd();
  FillList(IDC_PC_STORE, {IDS_STORE_PERMANENT, IDS_STORE_AUTODELETE, IDS_STORE_TEMPORARY});
  FillList(IDC_PC_VIEW, {IDS_VIEW_DAY, IDS_VIEW_WEEK, IDS_VIEW_MONTH, IDS_VIEW_ALL});
  SetSpinRange(IDC_PC_VARIATION_SPIN, kVariationRange.min, kVariationRange.max);

  // Icon list: a blank row, then every picture of the strip from the second on.
  icons_.reset(::ImageList_LoadImageW(nullptr, host().IconStripPath().c_str(), 16, 10, CLR_DEFAULT, IMAGE_BITMAP,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  iconBox_.SubclassDlgItem(IDC_PC_ICON, self);
  iconBox_.Fill(icons_.get());
  soundBox_.SubclassDlgItem(IDC_PC_SOUND, self);
  skinBox_.SubclassDlgItem(IDC_PC_SKIN, self);

  if (HWND edit = ::GetWindow(Item(IDC_PC_NAME), GW_CHILD)) ::SetWindowSubclass(edit, SwallowEnter, 0, 0);

  // The sample takes the hidden placeholder's place.
  RECT area{};
  ::GetWindowRect(Item(IDC_PC_SAMPLE), &area);
  ::MapWindowPoints(nullptr, self, reinterpret_cast<POINT*>(&area), 2);
  CWnd::RegisterWindowClass(L"ZavraNoteSample", CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW));
  sample_.CreateEx(WS_EX_CLIENTEDGE, L"ZavraNoteSample", L"", WS_CHILD | WS_VISIBLE, area, self,
                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kNoteSampleControl)));

  LoadList();
  FinishInit();
  return true;
}

NOTE_CATE* CPropCatePage::Selected() {
  return current_ >= 0 && current_ < static_cast<int>(list_.size()) ? &list_[static_cast<size_t>(current_)] : nullptr;
}

void CPropCatePage::LoadList() {
  HWND box = Item(IDC_PC_NAME);
  std::u16string keep = ToU16(LoadResString(IDS_UNSORTED));
  if (const NOTE_CATE* c = Selected()) keep = c->name;
  const int previous = current_;
  list_ = host().Store().LoadCategoryList().items;
  showing_ = true;
  ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
  int match = -1;
  for (size_t i = 0; i < list_.size(); ++i) {
    ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(list_[i].name)));
    if (list_[i].name == keep) match = static_cast<int>(i);
  }
  showing_ = false;
  const int n = static_cast<int>(list_.size());
  current_ = match >= 0 ? match : (previous >= 0 && previous < n ? previous : (n > 0 ? 0 : -1));
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
  ShowSelected();
}

void CPropCatePage::ShowSelected() {
  const NOTE_CATE* c = Selected();
  showing_ = true;
  ::EnableWindow(Item(IDC_PC_DELETE), c && CanDeleteCategory(*c));
  for (int id : {IDC_PC_INTEREST, IDC_PC_STORE, IDC_PC_VIEW, IDC_PC_ICON, IDC_PC_PAPER_COLOR, IDC_PC_VARIATION,
                 IDC_PC_TEXT_COLOR, IDC_PC_FONT, IDC_PC_SOUND, IDC_PC_SKIN})
    ::EnableWindow(Item(id), c != nullptr);
  if (c) {
    ::CheckDlgButton(GetSafeHwnd(), IDC_PC_INTEREST, IsOfInterest(*c) ? BST_CHECKED : BST_UNCHECKED);
    ::SendMessageW(Item(IDC_PC_STORE), CB_SETCURSEL, static_cast<WPARAM>(StoreIndexOf(*c)), 0);
    ::SendMessageW(Item(IDC_PC_VIEW), CB_SETCURSEL, static_cast<WPARAM>(DefaultViewOf(*c)), 0);
    iconBox_.Select(c->icon < iconBox_.count() ? c->icon : 0);
    soundBox_.Fill(ToWide(c->sound));
    // The category's skin by its exact name, else the built-in skin.
    skinBox_.Fill(host().SkinsFolder(), false, SkinChoice{false, c->skin});
    variation_ = static_cast<int>(c->variation & 0xFF);
    ::SetDlgItemInt(GetSafeHwnd(), IDC_PC_VARIATION, static_cast<UINT>(variation_), FALSE);
  }
  showing_ = false;
  UpdateSample();
}

void CPropCatePage::UpdateSample() {
  const NOTE_CATE* c = Selected();
  if (!c || !sample_.GetSafeHwnd()) return;
  const Settings& s = host().CurrentSettings();
  const int weekday = MachineLocalTime().FieldsOf(host().Now()).weekday;
  sample_.SetLook(c->paperColor, c->textColor, c->font, static_cast<int>(s.noteMargin), static_cast<int>(s.noteAlign),
                  host().WeekdayName(weekday));
}

void CPropCatePage::DoDataExchange(DataExchange& dx) {
  // Only the variation is a number box; the rest change the category as they are used.
  if (Selected()) dx.Int(IDC_PC_VARIATION, variation_, kVariationRange.min, kVariationRange.max);
}

void CPropCatePage::TakeTypedName() {
  HWND box = Item(IDC_PC_NAME);
  NOTE_CATE* c = Selected();
  if (!c || ::SendMessageW(box, CB_GETCURSEL, 0, 0) != CB_ERR) return;
  // An empty name is refused: the old one comes back.
  RenameCategory(*c, ToU16(ComboText(box)));
  showing_ = true;
  ::SendMessageW(box, CB_DELETESTRING, static_cast<WPARAM>(current_), 0);
  ::SendMessageW(box, CB_INSERTSTRING, static_cast<WPARAM>(current_), reinterpret_cast<LPARAM>(AsWide(c->name)));
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
  showing_ = false;
}

void CPropCatePage::NewCategory() {
  TakeTypedName();
  ::LOGFONTW font{};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
  list_.push_back(NewCategoryRecord(ToU16(LoadResString(IDS_NEW_CATEGORY)), FromWinFont(font)));
  HWND box = Item(IDC_PC_NAME);
  showing_ = true;
  current_ = static_cast<int>(::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(list_.back().name))));
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
  showing_ = false;
  ShowSelected();
  ::SetFocus(box);
  MarkModified();
}

void CPropCatePage::DeleteCategory() {
  const NOTE_CATE* c = Selected();
  if (!c || !CanDeleteCategory(*c)) return;
  const HWND self = GetSafeHwnd();
  if (::MessageBoxW(self, LoadResString(IDS_DELETE_CATEGORY).c_str(), LoadResString(IDS_CONFIRM).c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES ||
      !::IsWindow(self))
    return;
  list_.erase(list_.begin() + current_);
  HWND box = Item(IDC_PC_NAME);
  showing_ = true;
  ::SendMessageW(box, CB_DELETESTRING, static_cast<WPARAM>(current_), 0);
  if (current_ >= static_cast<int>(list_.size())) current_ = static_cast<int>(list_.size()) - 1;
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
  showing_ = false;
  MarkModified();
  ShowSelected();
}

void CPropCatePage::PickColor(bool paper) {
  NOTE_CATE* c = Selected();
  if (!c) return;
  CHOOSECOLORW cc{sizeof cc};
  cc.hwndOwner = GetSafeHwnd();
  cc.rgbResult = paper ? c->paperColor : c->textColor;
  cc.lpCustColors = customColors_;
  cc.Flags = CC_FULLOPEN | CC_RGBINIT;
  const HWND self = GetSafeHwnd();
  if (!::ChooseColorW(&cc) || !::IsWindow(self) || !(c = Selected())) return;
  (paper ? c->paperColor : c->textColor) = cc.rgbResult;
  UpdateSample();
  MarkModified();
}

void CPropCatePage::PickFont() {
  NOTE_CATE* c = Selected();
  if (!c) return;
  ::LOGFONTW lf{};
  if (c->font.lfFaceName[0])
    lf = ToWinFont(c->font);
  else
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
  CHOOSEFONTW cf{sizeof cf};
  cf.hwndOwner = GetSafeHwnd();
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
  const HWND self = GetSafeHwnd();
  // Only the font is kept: the colour chosen in the dialog is not the category's text colour.
  if (!::ChooseFontW(&cf) || !::IsWindow(self) || !(c = Selected())) return;
  c->font = FromWinFont(lf);
  UpdateSample();
  MarkModified();
}

bool CPropCatePage::OnCommand(UINT id, UINT code, HWND) {
  if (showing_) return false;
  NOTE_CATE* c = Selected();
  switch (id) {
    case IDC_PC_NAME:
      if (code == CBN_EDITCHANGE) {
        MarkModified();
      } else if (code == CBN_KILLFOCUS || code == CBN_DROPDOWN) {
        TakeTypedName();
      } else if (code == CBN_SELCHANGE) {
        const int sel = static_cast<int>(::SendMessageW(Item(IDC_PC_NAME), CB_GETCURSEL, 0, 0));
        if (sel != CB_ERR && sel != current_) {
          current_ = sel;
          ShowSelected();
        }
      }
      return true;
    case IDC_PC_NEW:
      if (code == BN_CLICKED) NewCategory();
      return true;
    case IDC_PC_DELETE:
      if (code == BN_CLICKED) DeleteCategory();
      return true;
    case IDC_PC_INTEREST:
      if (code == BN_CLICKED && c) {
        SetOfInterest(*c, IsChecked(IDC_PC_INTEREST));
        MarkModified();
      }
      return true;
    case IDC_PC_STORE:
    case IDC_PC_VIEW:
    case IDC_PC_ICON:
      if (code == CBN_SELCHANGE && c) {
        const int sel = static_cast<int>(::SendMessageW(Item(static_cast<int>(id)), CB_GETCURSEL, 0, 0));
        if (id == IDC_PC_STORE) SetStoreIndex(*c, sel);
        if (id == IDC_PC_VIEW) SetDefaultView(*c, sel);
        if (id == IDC_PC_ICON && iconBox_.selected() >= 0) c->icon = static_cast<uint16_t>(iconBox_.selected());
        MarkModified();
      }
      return true;
    case IDC_PC_SOUND:
      if (code == CBN_SELCHANGE && c) {
        const HWND self = GetSafeHwnd();
        const bool play = soundBox_.OnSelChange(self);
        if (!::IsWindow(self) || !(c = Selected())) return true;
        c->sound = ToU16(soundBox_.path());
        if (play) host().PreviewSound(soundBox_.path());
        MarkModified();
      }
      return true;
    case IDC_PC_SKIN:
      if (code == CBN_SELCHANGE && c) {
        c->skin = skinBox_.Choice().title;
        MarkModified();
      }
      return true;
    case IDC_PC_VARIATION:
      if (code == EN_CHANGE && c) {
        BOOL ok = FALSE;
        const UINT v = ::GetDlgItemInt(GetSafeHwnd(), IDC_PC_VARIATION, &ok, FALSE);
        if (ok && v <= static_cast<UINT>(kVariationRange.max)) c->variation = (c->variation & ~0xFFu) | v;
        MarkModified();
      }
      return true;
    case IDC_PC_PAPER_COLOR:
    case IDC_PC_TEXT_COLOR:
      if (code == BN_CLICKED) PickColor(id == IDC_PC_PAPER_COLOR);
      return true;
    case IDC_PC_FONT:
      if (code == BN_CLICKED) PickFont();
      return true;
    default:
      return false;
  }
}

bool CPropCatePage::Store() {
  TakeTypedName();
  std::vector<std::u16string> failed;
  host().Store().SaveAllCategories(list_, &failed);
  if (!failed.empty()) {
    // What could not be written stays in the working list, so the user can try again.
    std::wstring names;
    for (const auto& n : failed) names += L"\n" + ToWide(n);
    const HWND self = GetSafeHwnd();
    ::MessageBoxW(self, FormatArgs(LoadResString(IDS_CATEGORIES_NOT_SAVED), {names}).c_str(),
                  LoadResString(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return ::IsWindow(self) ? false : true;
  }
  LoadList();
  if (HWND sheet = ::GetParent(GetSafeHwnd())) PropSheet_QuerySiblings(sheet, 1, 0);
  return true;
}

}  // namespace zavra
