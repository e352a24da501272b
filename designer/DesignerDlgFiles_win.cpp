// The designer's main dialog, its side of moving skins: the skin manager, export and import.
#include "designer/DesignerDlg_win.h"

#include <commdlg.h>

#include <vector>

#include "designer/DesignerUi_win.h"
#include "designer/SaveAsDlg_win.h"
#include "designer/SkinFiles_win.h"
#include "designer/SkinManagerDlg_win.h"
#include "framework/Text.h"
#include "resources/ZavraNd_res.h"

namespace zavra {

namespace {

// The name of a skin file without its folder and extension.
std::wstring TitleFromFileName(const std::wstring& path) {
  std::wstring name = path.substr(path.find_last_of(L"\\/:") + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return name;
}

}  // namespace

void CQelNoteDesignerDlg::OnSkinManager() {
  HWND self = *this;
  CSkinManagerDlg manager(skinsFolder_);
  if (manager.DoModal(self) != IDOK || !::IsWindow(self)) return;
  if (!OpenByTitle(manager.result)) DesignerMessage(self, IDS_OPEN_FAILED);
}

void CQelNoteDesignerDlg::OnExport() {
  HWND self = *this;
  // What the page shows is what the user means to export.
  CommitCurrent();
  if (!::IsWindow(self)) return;
  const std::wstring filter = FilterFromResource(IDS_SKIN_FILTER);
  std::vector<wchar_t> file(MAX_PATH, L'\0');
  if (!title_.empty()) (title_ + L".zps").copy(file.data(), MAX_PATH - 1);
  OPENFILENAMEW ofn{sizeof ofn};
  ofn.hwndOwner = self;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = L"zps";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&ofn) || !::IsWindow(self)) return;
  if (ExportSkinFile(file.data(), document_.DrawingOrder(), skinFolder_) != kLayersOk)
    DesignerMessage(self, IDS_EXPORT_FAILED);
}

void CQelNoteDesignerDlg::OnImport() {
  HWND self = *this;
  const std::wstring filter = FilterFromResource(IDS_SKIN_FILTER);
  std::vector<wchar_t> file(MAX_PATH, L'\0');
  OPENFILENAMEW ofn{sizeof ofn};
  ofn.hwndOwner = self;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&ofn) || !::IsWindow(self)) return;
  if (Import(file.data()) != kLayersOk && ::IsWindow(self)) DesignerMessage(self, IDS_IMPORT_FAILED);
}

int CQelNoteDesignerDlg::Import(const std::wstring& path) {
  HWND self = *this;
  std::wstring title = TitleFromFileName(path);
  // A name the rules refuse ("..zps" gives ".") or one that is taken is asked for.
  if (!IsDesignerTitle(ToU16(title)) ||
      ::GetFileAttributesW((skinsFolder_ + title).c_str()) != INVALID_FILE_ATTRIBUTES) {
    CSaveAsDlg ask(skinsFolder_, title);
    if (ask.DoModal(self) != IDOK || !::IsWindow(self)) return -5;
    title = ask.title;
  }
  std::vector<SLAYER> records;
  const int result = ImportSkinFile(path, skinsFolder_, title, records);
  if (result != kLayersOk) return result;
  SetTitle(title);
  LoadRecords(records);
  return kLayersOk;
}

}  // namespace zavra
