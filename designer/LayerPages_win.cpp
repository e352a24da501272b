#include "designer/LayerPages_win.h"

#include <commdlg.h>

#include <vector>

#include "designer/DesignerUi_win.h"
#include "designer/SkinDocument.h"
#include "framework/Text.h"
#include "resources/ZavraNd_res.h"

namespace zavra {

namespace {

constexpr int kAnchorCount = 9;
constexpr ConditionControls kAnimationControls{IDC_ANIM_MODE, IDC_ANIM_ACTIVE, IDC_ANIM_POPUP, IDC_ANIM_ALARM};

void SetInt(HWND page, int id, int32_t value) { ::SetDlgItemTextW(page, id, std::to_wstring(value).c_str()); }

bool Checked(HWND page, int id) { return ::IsDlgButtonChecked(page, id) == BST_CHECKED; }
void Check(HWND page, int id, bool on) { ::CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }

int ComboIndex(HWND page, int id) {
  const LRESULT i = ::SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0);
  return i == CB_ERR ? 0 : static_cast<int>(i);
}
void SetComboIndex(HWND page, int id, int32_t index, int count) {
  ::SendDlgItemMessageW(page, id, CB_SETCURSEL, index >= 0 && index < count ? index : 0, 0);
}

// Reads number boxes into `values` in order; false as soon as one is not an integer (the
// framework's message is then shown and the box focused).
bool ReadInts(HWND page, std::initializer_list<std::pair<int, int32_t*>> boxes) {
  DataExchange dx(page, true);
  std::vector<int> read(boxes.size());
  size_t i = 0;
  for (const auto& box : boxes) dx.Int(box.first, read[i++]);
  if (dx.failed()) return false;
  i = 0;
  for (const auto& box : boxes) *box.second = read[i++];
  return true;
}

}  // namespace

bool CLayerDlg::CreatePage(HWND parent, const RECT& rect) {
  // Not a modeless dialog of the application: the main dialog's keyboard handling covers it.
  HWND page = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId()), parent,
                                   StaticDialogProc, reinterpret_cast<LPARAM>(this));
  if (!page) return false;
  ::SetWindowPos(page, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

// ---------------------------------------------------------------- Paper

CLayerPaperDlg::CLayerPaperDlg() : CLayerDlg(IDD_LAYER_PAPER) {}

bool CLayerPaperDlg::OnInitDialog() {
  SetSpinRange(*this, IDC_WIDTH_SPIN, 32, 999);
  SetSpinRange(*this, IDC_HEIGHT_SPIN, 32, 999);
  ::SendDlgItemMessageW(*this, IDC_COMMENT, EM_LIMITTEXT, kLayerTextChars - 1, 0);
  return true;
}

void CLayerPaperDlg::LoadLayer(const SLAYER& layer) {
  const SLAYER_PAPER& p = layer.u.paper;
  ::CheckRadioButton(*this, IDC_SIZE_FREE, IDC_SIZE_FIXED, (p.sizeMode & 1) ? IDC_SIZE_FIXED : IDC_SIZE_FREE);
  SetInt(*this, IDC_WIDTH, p.fixedWidth);
  SetInt(*this, IDC_HEIGHT, p.fixedHeight);
  ::SetDlgItemTextW(*this, IDC_COMMENT, ToWide(LayerText(p.comment)).c_str());
}

bool CLayerPaperDlg::SaveLayer(SLAYER& layer) {
  SLAYER_PAPER& p = layer.u.paper;
  int32_t width = 0, height = 0;
  if (!ReadInts(*this, {{IDC_WIDTH, &width}, {IDC_HEIGHT, &height}})) return false;
  p.sizeMode = Checked(*this, IDC_SIZE_FIXED) ? 1 : 0;
  p.fixedWidth = width;
  p.fixedHeight = height;
  SetLayerText(p.comment, ToU16(ControlText(*this, IDC_COMMENT)));
  return true;
}

// ---------------------------------------------------------------- Border

CLayerBorderDlg::CLayerBorderDlg() : CLayerDlg(IDD_LAYER_BORDER) {}

// ---------------------------------------------------------------- Icons

CLayerIconDlg::CLayerIconDlg() : CLayerDlg(IDD_LAYER_ICON) {}

bool CLayerIconDlg::OnInitDialog() {
  FillComboFromStrings(*this, IDC_POSITION, IDS_ANCHOR_FIRST, kAnchorCount);
  SetSpinRange(*this, IDC_OFFSET_X_SPIN, -999, 999);
  SetSpinRange(*this, IDC_OFFSET_Y_SPIN, -999, 999);
  return true;
}

void CLayerIconDlg::LoadLayer(const SLAYER& layer) {
  SetComboIndex(*this, IDC_POSITION, layer.u.icon.anchor, kAnchorCount);
  SetInt(*this, IDC_OFFSET_X, layer.u.icon.offsetX);
  SetInt(*this, IDC_OFFSET_Y, layer.u.icon.offsetY);
}

bool CLayerIconDlg::SaveLayer(SLAYER& layer) {
  int32_t x = 0, y = 0;
  if (!ReadInts(*this, {{IDC_OFFSET_X, &x}, {IDC_OFFSET_Y, &y}})) return false;
  layer.u.icon = {ComboIndex(*this, IDC_POSITION), x, y};
  return true;
}

// ---------------------------------------------------------------- Text

CLayerTextDlg::CLayerTextDlg() : CLayerDlg(IDD_LAYER_TEXT) {}

bool CLayerTextDlg::OnInitDialog() {
  for (int spin : {IDC_MARGIN_LEFT_SPIN, IDC_MARGIN_TOP_SPIN, IDC_MARGIN_RIGHT_SPIN, IDC_MARGIN_BOTTOM_SPIN})
    SetSpinRange(*this, spin, 0, 999);
  return true;
}

void CLayerTextDlg::LoadLayer(const SLAYER& layer) {
  SetInt(*this, IDC_MARGIN_LEFT, layer.u.text.left);
  SetInt(*this, IDC_MARGIN_TOP, layer.u.text.top);
  SetInt(*this, IDC_MARGIN_RIGHT, layer.u.text.right);
  SetInt(*this, IDC_MARGIN_BOTTOM, layer.u.text.bottom);
}

bool CLayerTextDlg::SaveLayer(SLAYER& layer) {
  SLAYER_TEXT t{};
  if (!ReadInts(*this, {{IDC_MARGIN_LEFT, &t.left}, {IDC_MARGIN_TOP, &t.top}, {IDC_MARGIN_RIGHT, &t.right},
                        {IDC_MARGIN_BOTTOM, &t.bottom}}))
    return false;
  layer.u.text = t;
  return true;
}

// ---------------------------------------------------------------- Image

CLayerImageDlg::CLayerImageDlg() : CLayerDlg(IDD_LAYER_IMAGE) {}

bool CLayerImageDlg::OnInitDialog() {
  FillComboFromStrings(*this, IDC_POSITION, IDS_ANCHOR_FIRST, kAnchorCount);
  FillComboFromStrings(*this, IDC_ANIM_MODE, IDS_ENABLE_UNLESS, 2);
  for (int spin : {IDC_OFFSET_X_SPIN, IDC_OFFSET_Y_SPIN, IDC_ADJUST_X_SPIN, IDC_ADJUST_Y_SPIN})
    SetSpinRange(*this, spin, -999, 999);
  return true;
}

void CLayerImageDlg::LoadLayer(const SLAYER& layer) {
  const SLAYER_IMAGE& im = layer.u.image;
  ::SetDlgItemTextW(*this, IDC_IMAGE_NAME, ToWide(LayerText(im.picture)).c_str());
  SetComboIndex(*this, IDC_POSITION, im.anchor, kAnchorCount);
  SetInt(*this, IDC_OFFSET_X, im.offsetX);
  SetInt(*this, IDC_OFFSET_Y, im.offsetY);
  ::CheckRadioButton(*this, IDC_ADJUST_PIXELS, IDC_ADJUST_PERCENT,
                     (im.flags & kImageAdjustPercent) ? IDC_ADJUST_PERCENT : IDC_ADJUST_PIXELS);
  Check(*this, IDC_ADJUST_X, im.flags & kImageAdjustWidth);
  SetInt(*this, IDC_ADJUST_X_VALUE, im.adjustWidth);
  Check(*this, IDC_ADJUST_Y, im.flags & kImageAdjustHeight);
  SetInt(*this, IDC_ADJUST_Y_VALUE, im.adjustHeight);
  ::CheckRadioButton(*this, IDC_DISPLAY_ORIGINAL, IDC_DISPLAY_TILE, IDC_DISPLAY_ORIGINAL + DisplayChoiceOf(im.flags));
  ShowCondition(*this, kAnimationControls, im.animCondition);
}

bool CLayerImageDlg::SaveLayer(SLAYER& layer) {
  SLAYER_IMAGE& im = layer.u.image;
  int32_t x = 0, y = 0, adjustX = 0, adjustY = 0;
  if (!ReadInts(*this, {{IDC_OFFSET_X, &x}, {IDC_OFFSET_Y, &y}, {IDC_ADJUST_X_VALUE, &adjustX},
                        {IDC_ADJUST_Y_VALUE, &adjustY}}))
    return false;
  int display = 0;
  for (int i = 0; i < 4; ++i)
    if (Checked(*this, IDC_DISPLAY_ORIGINAL + i)) display = i;
  SetLayerText(im.picture, ToU16(ControlText(*this, IDC_IMAGE_NAME)));
  im.anchor = ComboIndex(*this, IDC_POSITION);
  im.offsetX = x;
  im.offsetY = y;
  im.flags = ImageFlagsFor(display, Checked(*this, IDC_ADJUST_X), Checked(*this, IDC_ADJUST_Y),
                           Checked(*this, IDC_ADJUST_PERCENT));
  im.adjustWidth = adjustX;
  im.adjustHeight = adjustY;
  im.animCondition = ReadCondition(*this, kAnimationControls);
  return true;
}

bool CLayerImageDlg::SetChosenPicture(const std::wstring& path) {
  const std::u16string name = ChosenPictureName(ToU16(path), ToU16(skinFolder_));
  if (!IsStorablePictureName(name, ToU16(skinFolder_))) {
    DesignerMessage(::GetAncestor(*this, GA_ROOT), IDS_PICTURE_REFUSED);
    return false;
  }
  ::SetDlgItemTextW(*this, IDC_IMAGE_NAME, ToWide(name).c_str());
  return true;
}

bool CLayerImageDlg::ChooseImage() {
  HWND self = *this;
  const std::wstring filter = FilterFromResource(IDS_IMAGE_FILTER);
  // Room for paths longer than the record holds, so that they can be refused with a message.
  std::vector<wchar_t> file(4096, L'\0');
  const std::wstring start = ToWide(ChooserStartFile(ToU16(ControlText(self, IDC_IMAGE_NAME)), ToU16(skinFolder_)));
  start.copy(file.data(), std::min(start.size(), file.size() - 1));
  OPENFILENAMEW ofn{sizeof ofn};
  ofn.hwndOwner = ::GetAncestor(self, GA_ROOT);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&ofn) || !::IsWindow(self)) return false;
  return SetChosenPicture(file.data());
}

bool CLayerImageDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_IMAGE_BROWSE || code != BN_CLICKED) return false;
  HWND self = *this;
  // The designer takes the new name at once, so that the layer list shows it.
  if (ChooseImage() && ::IsWindow(self))
    ::SendMessageW(::GetParent(self), WM_COMMAND, MAKEWPARAM(IDC_IMAGE_NAME, EN_CHANGE), reinterpret_cast<LPARAM>(self));
  return true;
}

}  // namespace zavra
