#include "designer/DesignerDlg_win.h"

#include "designer/AboutDlg_win.h"
#include "designer/DesignerUi_win.h"
#include "designer/PreviewPlacement.h"
#include "designer/SaveAsDlg_win.h"
#include "designer/SkinFiles_win.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/ZavraNd_res.h"
#include "skin/LayersFile_win.h"
#include "skin/SkinLists_win.h"
#include "skin/SkinNames.h"

namespace zavra {

namespace {

constexpr ConditionControls kVisibilityControls{IDC_VIS_MODE, IDC_VIS_ACTIVE, IDC_VIS_POPUP, IDC_VIS_ALARM};

}  // namespace

CQelNoteDesignerDlg::CQelNoteDesignerDlg(std::wstring skinsFolder)
    : CDialog(IDD_DESIGNER), skinsFolder_(std::move(skinsFolder)) {}

CQelNoteDesignerDlg::~CQelNoteDesignerDlg() {
  // The preview goes first: it is owned by the dialog and holds a skin of the lists.
  preview_.reset();
}

bool CQelNoteDesignerDlg::OnInitDialog() {
  HWND self = *this;
  ::SendMessageW(self, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))));
  FillComboFromStrings(self, IDC_VIS_MODE, IDS_SHOW_UNLESS, 2);
  RECT area{};
  ::GetWindowRect(::GetDlgItem(self, IDC_PAGE_AREA), &area);
  ::MapWindowPoints(nullptr, self, reinterpret_cast<POINT*>(&area), 2);
  for (CLayerDlg* page : {static_cast<CLayerDlg*>(&paperPage_), static_cast<CLayerDlg*>(&borderPage_),
                          static_cast<CLayerDlg*>(&iconPage_), static_cast<CLayerDlg*>(&imagePage_),
                          static_cast<CLayerDlg*>(&textPage_)})
    page->CreatePage(self, area);
  OnNew();
  return true;
}

INT_PTR CQelNoteDesignerDlg::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      DestroyWindow();
      return TRUE;
    case WM_DESTROY:
      if (preview_) preview_->DestroyWindow();
      if (quitOnDestroy_) ::PostQuitMessage(0);
      break;
    default:
      break;
  }
  return CDialog::DialogProc(msg, wp, lp);
}

bool CQelNoteDesignerDlg::PreTranslateMessage(const MSG& msg) {
  HWND self = GetSafeHwnd();
  if (msg.message != WM_KEYDOWN || !self || (msg.hwnd != self && !::IsChild(self, msg.hwnd))) return false;
  // AltGr arrives as Ctrl+Alt: typing a letter with it must not run a command.
  if (::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0) return false;
  switch (msg.wParam) {
    case 'N':
      OnNew();
      return true;
    case 'O':
      OnSkinManager();
      return true;
    case 'S':
      Save();
      return true;
    default:
      return false;
  }
}

bool CQelNoteDesignerDlg::OnCommand(UINT id, UINT code, HWND control) {
  switch (id) {
    case ID_FILE_NEW: OnNew(); return true;
    case ID_FILE_OPEN:
    case ID_FILE_SKIN_MANAGER: OnSkinManager(); return true;
    case ID_FILE_SAVE: Save(); return true;
    case ID_FILE_SAVE_AS: SaveAs(); return true;
    case ID_FILE_IMPORT: OnImport(); return true;
    case ID_FILE_EXPORT: OnExport(); return true;
    case ID_APP_EXIT: DestroyWindow(); return true;
    case ID_APP_ABOUT: {
      CAboutDlg about;
      about.DoModal(*this);
      return true;
    }
    case IDC_LAYERS:
      if (code == LBN_SELCHANGE) OnSelectLayer();
      return true;
    case IDC_IMAGE_NAME:  // the image page took a new picture
      CommitCurrent();
      return true;
    case IDC_ADD: OnAddImage(); return true;
    case IDC_REMOVE: OnRemoveImage(); return true;
    case IDC_UP: OnMove(true); return true;
    case IDC_DOWN: OnMove(false); return true;
    case IDC_PREVIEW: OnPreview(); return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- document

void CQelNoteDesignerDlg::SetTitle(const std::wstring& title) {
  title_ = title;
  skinFolder_ = title.empty() ? std::wstring() : SkinFolderOf(skinsFolder_, title);
  imagePage_.SetSkinFolder(skinFolder_);
  ::SetWindowTextW(*this, DesignerCaption(title_).c_str());
}

void CQelNoteDesignerDlg::OnNew() {
  SetTitle(L"");
  LoadRecords(DefaultLayers());
}

void CQelNoteDesignerDlg::LoadRecords(std::span<const SLAYER> records) {
  document_.Load(records);
  FillList();
  if (document_.size() > 0) Select(document_.size() - 1);
}

bool CQelNoteDesignerDlg::OpenByTitle(const std::wstring& title) {
  if (!IsValidSkinTitle(ToU16(title))) return false;
  std::vector<SLAYER> records;
  if (LoadLayersFile(SkinFolderOf(skinsFolder_, title), records) != kLayersOk) return false;
  SetTitle(title);
  LoadRecords(records);
  return true;
}

bool CQelNoteDesignerDlg::WriteSkin(const std::wstring& oldFolder, bool overwritePictures) {
  CommitCurrent();
  HWND self = *this;
  if (!::IsWindow(self)) return false;
  if (SaveSkinFolder(skinFolder_, document_.DrawingOrder(), oldFolder, overwritePictures)) return true;
  DesignerMessage(self, IDS_SAVE_FAILED);
  return false;
}

bool CQelNoteDesignerDlg::Save() {
  if (title_.empty()) return SaveAs();
  return WriteSkin(L"", false);
}

bool CQelNoteDesignerDlg::SaveAs() {
  HWND self = *this;
  CSaveAsDlg dialog(skinsFolder_, title_);
  if (dialog.DoModal(self) != IDOK || !::IsWindow(self)) return false;
  const std::wstring oldFolder = skinFolder_;
  SetTitle(dialog.title);
  return WriteSkin(oldFolder, dialog.overwrite);
}

// ---------------------------------------------------------------- layer list

std::wstring CQelNoteDesignerDlg::EntryText(const SLAYER& layer) const {
  switch (layer.kind) {
    case kLayerPaper: return LoadResString(IDS_KIND_PAPER);
    case kLayerBorder: return LoadResString(IDS_KIND_BORDER);
    case kLayerNoteIcon: return LoadResString(IDS_KIND_NOTE_ICON);
    case kLayerLinkIcon: return LoadResString(IDS_KIND_LINK_ICON);
    case kLayerText: return LoadResString(IDS_KIND_TEXT);
    default: {
      const std::u16string name = PictureDisplayName(layer);
      return name.empty() ? LoadResString(IDS_KIND_IMAGE) : ToWide(name);
    }
  }
}

void CQelNoteDesignerDlg::FillList() {
  HWND list = ::GetDlgItem(*this, IDC_LAYERS);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < document_.size(); ++i)
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryText(document_.entry(i)).c_str()));
}

void CQelNoteDesignerDlg::SetEntryText(size_t index, const std::wstring& text) {
  HWND list = ::GetDlgItem(*this, IDC_LAYERS);
  const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  ::SendMessageW(list, LB_DELETESTRING, index, 0);
  ::SendMessageW(list, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

std::optional<size_t> CQelNoteDesignerDlg::Selection() const {
  const LRESULT i = ::SendDlgItemMessageW(*this, IDC_LAYERS, LB_GETCURSEL, 0, 0);
  if (i == LB_ERR || static_cast<size_t>(i) >= document_.size()) return std::nullopt;
  return static_cast<size_t>(i);
}

void CQelNoteDesignerDlg::Select(size_t index) {
  ::SendDlgItemMessageW(*this, IDC_LAYERS, LB_SETCURSEL, index, 0);
  OnSelectLayer();
}

CLayerDlg* CQelNoteDesignerDlg::PageFor(int32_t kind) {
  switch (kind) {
    case kLayerPaper: return &paperPage_;
    case kLayerBorder: return &borderPage_;
    case kLayerNoteIcon:
    case kLayerLinkIcon: return &iconPage_;
    case kLayerImage: return &imagePage_;
    case kLayerText: return &textPage_;
    default: return nullptr;
  }
}

void CQelNoteDesignerDlg::OnSelectLayer() {
  CommitCurrent();
  HWND self = *this;
  const std::optional<size_t> index = Selection();
  if (!::IsWindow(self) || !index) return;
  const SLAYER& layer = document_.entry(*index);
  CLayerDlg* page = PageFor(layer.kind);
  if (page != shownPage_) {
    if (page) ::ShowWindow(*page, SW_SHOWNA);
    if (shownPage_) ::ShowWindow(*shownPage_, SW_HIDE);
    shownPage_ = page;
  }
  document_.SetCurrent(index);
  ShowCondition(self, kVisibilityControls, layer.condition);
  if (page) page->LoadLayer(layer);
  ::EnableWindow(::GetDlgItem(self, IDC_REMOVE), layer.kind == kLayerImage);
}

void CQelNoteDesignerDlg::CommitCurrent() {
  SLAYER* layer = document_.current();
  if (!layer) return;
  HWND self = *this;
  layer->condition = ReadCondition(self, kVisibilityControls);
  // A page that does not validate keeps the record's previous values; the caller goes on.
  if (shownPage_) shownPage_->SaveLayer(*layer);
  if (!::IsWindow(self) || layer->kind != kLayerImage) return;
  const std::optional<size_t> index = document_.currentIndex();
  if (!index) return;
  const std::wstring text = EntryText(*layer);
  const LRESULT n = ::SendDlgItemMessageW(self, IDC_LAYERS, LB_GETTEXTLEN, *index, 0);
  std::wstring shown(n > 0 ? static_cast<size_t>(n) + 1 : 1, L'\0');
  ::SendDlgItemMessageW(self, IDC_LAYERS, LB_GETTEXT, *index, reinterpret_cast<LPARAM>(shown.data()));
  shown.resize(n > 0 ? static_cast<size_t>(n) : 0);
  if (FoldCase(ToU16(shown)) != FoldCase(ToU16(text))) SetEntryText(*index, text);
}

void CQelNoteDesignerDlg::OnAddImage() {
  HWND self = *this;
  const size_t index = document_.AddImage(Selection());
  ::SendDlgItemMessageW(self, IDC_LAYERS, LB_INSERTSTRING, index,
                        reinterpret_cast<LPARAM>(LoadResString(IDS_KIND_IMAGE).c_str()));
  Select(index);
  // The picture is asked for at once; cancelled, the layer stays without one.
  if (imagePage_.ChooseImage() && ::IsWindow(self)) CommitCurrent();
}

void CQelNoteDesignerDlg::OnRemoveImage() {
  const std::optional<size_t> index = Selection();
  bool removed = false;
  const std::optional<size_t> next = index ? document_.RemoveImage(*index, &removed) : std::nullopt;
  if (!removed) return;
  ::SendDlgItemMessageW(*this, IDC_LAYERS, LB_DELETESTRING, *index, 0);
  if (next) Select(*next);
}

void CQelNoteDesignerDlg::OnMove(bool up) {
  const std::optional<size_t> index = Selection();
  if (!index) return;
  const std::optional<size_t> to = up ? document_.MoveUp(*index) : document_.MoveDown(*index);
  if (!to) return;
  HWND list = ::GetDlgItem(*this, IDC_LAYERS);
  ::SendMessageW(list, LB_DELETESTRING, *index, 0);
  ::SendMessageW(list, LB_INSERTSTRING, *to, reinterpret_cast<LPARAM>(EntryText(document_.entry(*to)).c_str()));
  ::SendMessageW(list, LB_SETCURSEL, *to, 0);
}

void CQelNoteDesignerDlg::OnPreview() {
  HWND self = *this;
  if (!::IsWindowVisible(self)) return;
  CommitCurrent();
  if (!::IsWindow(self)) return;
  RECT designer{};
  ::GetWindowRect(self, &designer);
  const bool first = !preview_ || !preview_->GetSafeHwnd();
  if (first) {
    const SkinRect paper = FirstPreviewPaper(SkinRect{designer.left, designer.top, designer.right, designer.bottom});
    preview_ = std::make_unique<CPreviewWnd>();
    if (!preview_->Create(self, RECT{paper.left, paper.top, paper.right, paper.bottom})) {
      preview_.reset();
      return;
    }
  }
  // The old skin lets go of its pictures first, so that pictures changed on disk are read again.
  preview_->SetSkin({});
  preview_->ShowSkin(SkinLists().MakeSkin(ToU16(title_), document_.DrawingOrder(), ToU16(skinFolder_)),
                     first ? &designer : nullptr);
}

}  // namespace zavra
