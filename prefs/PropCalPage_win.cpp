#include "prefs/PropCalPage_win.h"
#include "framework/Handles.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "skin/SkinLayout.h"
#include <commdlg.h>

namespace zavra {

namespace {

constexpr int kModeButtons[] = {IDC_PK_WALLPAPER, IDC_PK_FILE, IDC_PK_RANDOM};

std::u16string ReadDesktopString(HKEY key, const wchar_t* name) {
  wchar_t buf[1024] = {};
  DWORD size = sizeof buf - sizeof(wchar_t), type = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  return ToU16(buf);
}

RECT32 WorkArea() {
  RECT r{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return RECT32{r.left, r.top, r.right, r.bottom};
}

// "a|b||" filters from the string table become the double-zero list the dialogs take.
std::wstring FilterList(UINT id) {
  std::wstring f = LoadResString(id);
  for (wchar_t& c : f)
    if (c == L'|') c = L'\0';
  return f;
}

}  // namespace

CPropCalPage::CPropCalPage(IPreferencesHost& host) : CQePropPage(IDD_PREF_CALENDAR, host) {}

CPropCalPage::~CPropCalPage() = default;

WallpaperChoice CPropCalPage::ReadDesktopWallpaper() {
  RegKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
    return {};
  return WallpaperPicture(ReadDesktopString(key.get(), L"Wallpaper"), ReadDesktopString(key.get(), L"TileWallpaper"));
}

bool CPropCalPage::OnInitDialog() {
  auto key = host().OpenSettingsKey();
  values_ = WithDesktopPicture(LoadCalendarSettings(key.get(), WorkArea()), ReadDesktopWallpaper());
  mode_ = static_cast<int>(values_.mode);
  haziness_ = values_.haziness;
  SetSpinRange(IDC_PK_HAZINESS_SPIN, kHazinessRange.min, kHazinessRange.max);
  UpdateData(false);
  LoadPreview(values_.imageFile);
  ShowFolder();
  UpdateRatioBox();
  FinishInit();
  return true;
}

void CPropCalPage::DoDataExchange(DataExchange& dx) {
  if (dx.saving()) {
    for (int i = 0; i < 3; ++i)
      if (IsChecked(kModeButtons[i])) mode_ = i;
  } else {
    ::CheckRadioButton(GetSafeHwnd(), IDC_PK_WALLPAPER, IDC_PK_RANDOM, kModeButtons[mode_ >= 0 && mode_ <= 2 ? mode_ : 0]);
  }
  dx.Check(IDC_PK_FIT, values_.fit);
  dx.Check(IDC_PK_RATIO, values_.retainRatio);
  dx.Int(IDC_PK_HAZINESS, haziness_, kHazinessRange.min, kHazinessRange.max);
}

bool CPropCalPage::OnCommand(UINT id, UINT code, HWND) {
  switch (id) {
    case IDC_PK_CHANGE:
      if (code == BN_CLICKED) ChangeColor();
      return true;
    case IDC_PK_BROWSE:
      if (code == BN_CLICKED) Browse();
      return true;
    case IDC_PK_CLEAR:
      if (code != BN_CLICKED) return true;
      values_.imageFile.clear();
      picture_.reset();
      ShowFolder();
      ::CheckRadioButton(GetSafeHwnd(), IDC_PK_WALLPAPER, IDC_PK_RANDOM, IDC_PK_FILE);
      ::InvalidateRect(::GetDlgItem(GetSafeHwnd(), IDC_PK_PREVIEW), nullptr, TRUE);
      MarkModified();
      return true;
    case IDC_PK_FIT:
    case IDC_PK_RATIO:
      if (code != BN_CLICKED) return true;
      values_.fit = IsChecked(IDC_PK_FIT);
      values_.retainRatio = IsChecked(IDC_PK_RATIO);
      UpdateRatioBox();
      ::InvalidateRect(::GetDlgItem(GetSafeHwnd(), IDC_PK_PREVIEW), nullptr, TRUE);
      MarkModified();
      return true;
    case IDC_PK_WALLPAPER:
    case IDC_PK_FILE:
    case IDC_PK_RANDOM:
      if (code == BN_CLICKED) MarkModified();
      return true;
    case IDC_PK_HAZINESS:
      if (code == EN_CHANGE) MarkModified();
      return true;
    default:
      return false;
  }
}

INT_PTR CPropCalPage::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (item.CtlID == IDC_PK_SWATCH) DrawSwatch(item);
    if (item.CtlID == IDC_PK_PREVIEW) DrawPreview(item);
    return TRUE;
  }
  return CQePropPage::DialogProc(msg, wp, lp);
}

void CPropCalPage::ChangeColor() {
  CHOOSECOLORW cc{sizeof cc};
  cc.hwndOwner = GetSafeHwnd();
  cc.rgbResult = values_.background;
  cc.lpCustColors = customColors_;
  cc.Flags = CC_FULLOPEN | CC_RGBINIT;
  const HWND self = GetSafeHwnd();
  if (!::ChooseColorW(&cc) || !::IsWindow(self)) return;
  values_.background = cc.rgbResult;
  ::InvalidateRect(::GetDlgItem(self, IDC_PK_SWATCH), nullptr, TRUE);
  ::InvalidateRect(::GetDlgItem(self, IDC_PK_PREVIEW), nullptr, TRUE);
  MarkModified();
}

void CPropCalPage::Browse() {
  std::wstring path(MAX_PATH, L'\0');
  const std::wstring current = ToWide(values_.imageFile);
  if (current.size() < MAX_PATH) path.replace(0, current.size(), current);
  const std::wstring filter = FilterList(IDS_IMAGE_FILTER);
  OPENFILENAMEW ofn{sizeof ofn};
  ofn.hwndOwner = GetSafeHwnd();
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  const HWND self = GetSafeHwnd();
  if (!::GetOpenFileNameW(&ofn) || !::IsWindow(self)) return;
  const std::u16string chosen = ToU16(path.c_str());
  if (LoadPreview(chosen))
    values_.imageFile = chosen;
  else
    values_.imageFile.clear();
  ShowFolder();
  ::CheckRadioButton(self, IDC_PK_WALLPAPER, IDC_PK_RANDOM, IDC_PK_FILE);
  ::InvalidateRect(::GetDlgItem(self, IDC_PK_PREVIEW), nullptr, TRUE);
  MarkModified();
}

bool CPropCalPage::LoadPreview(const std::u16string& file) {
  picture_.reset();
  if (file.empty() || file.size() > kMaxPathChars) return false;
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(AsWide(file)));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok || bitmap->GetWidth() == 0) return false;
  picture_ = std::move(bitmap);
  return true;
}

void CPropCalPage::ShowFolder() {
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_PK_FOLDER, ToWide(FolderOfImage(values_.imageFile)).c_str());
}

void CPropCalPage::UpdateRatioBox() { ::EnableWindow(::GetDlgItem(GetSafeHwnd(), IDC_PK_RATIO), values_.fit); }

void CPropCalPage::DrawSwatch(const DRAWITEMSTRUCT& item) const {
  BrushHandle brush(::CreateSolidBrush(values_.background));
  ::FillRect(item.hDC, &item.rcItem, brush.get());
}

// The picture as the calendar shows it: stretched, cropped to the aspect, or tiled.
void CPropCalPage::DrawPreview(const DRAWITEMSTRUCT& item) const {
  const RECT& r = item.rcItem;
  BrushHandle brush(::CreateSolidBrush(values_.background));
  ::FillRect(item.hDC, &r, brush.get());
  if (!picture_) return;
  Gdiplus::Graphics g(item.hDC);
  g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  const int tw = r.right - r.left, th = r.bottom - r.top;
  const int pw = static_cast<int>(picture_->GetWidth()), ph = static_cast<int>(picture_->GetHeight());
  if (values_.fit) {
    SkinRect src{0, 0, pw, ph};
    if (values_.retainRatio) src = RetainRatioSource(pw, ph, tw, th);
    g.DrawImage(picture_.get(), Gdiplus::Rect(r.left, r.top, tw, th), src.left, src.top, src.right - src.left,
                src.bottom - src.top, Gdiplus::UnitPixel);
  } else {
    // The preview is the calendar scaled down; tiles keep their share of it.
    for (int y = r.top; y < r.bottom; y += ph)
      for (int x = r.left; x < r.right; x += pw) g.DrawImage(picture_.get(), x, y, pw, ph);
  }
}

bool CPropCalPage::Store() {
  values_.fit = IsChecked(IDC_PK_FIT);
  values_.retainRatio = IsChecked(IDC_PK_RATIO);
  values_.mode = static_cast<CalendarPictureMode>(mode_);
  values_.haziness = static_cast<uint8_t>(kHazinessRange.Clamp(haziness_));
  auto key = host().OpenSettingsKey();
  WriteCalendarBackground(key.get(), WithDesktopPicture(values_, ReadDesktopWallpaper()));
  return true;
}

}  // namespace zavra
