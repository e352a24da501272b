#include "schedule/SoundComboBox_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"

namespace zavra {

namespace {

// "Text|*.ext||" from the string table as the file dialog wants it.
std::wstring FileFilter(UINT id) {
  std::wstring filter = LoadResString(id);
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  return filter;
}

std::optional<std::u16string> AskForWaveFile(HWND owner, const std::u16string& current) {
  std::vector<wchar_t> file(1040, L'\0');
  std::copy_n(AsWide(current), std::min(current.size(), file.size() - 1), file.begin());
  const std::wstring filter = FileFilter(IDS_WAVE_FILTER);
  OPENFILENAMEW ofn{sizeof ofn};
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&ofn)) return std::nullopt;
  return ToU16(file.data());
}

}  // namespace

void CSoundComboBox::Fill(const std::wstring& path, const std::wstring& noFileText) {
  noFileText_ = noFileText.empty() ? LoadResString(IDS_SOUND_INHERIT) : noFileText;
  list_ = SoundList(ToU16(path));
  ShowRows();
}

void CSoundComboBox::ShowRows() {
  HWND combo = GetSafeHwnd();
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(noFileText_.c_str()));
  if (!list_.customPath().empty())
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(list_.customPath())));
  ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResString(IDS_SOUND_BROWSE).c_str()));
  ::SendMessageW(combo, CB_SETCURSEL, list_.selected(), 0);
}

std::wstring CSoundComboBox::path() const { return ToWide(list_.path()); }

bool CSoundComboBox::OnSelChange(HWND owner) {
  const LRESULT row = ::SendMessageW(GetSafeHwnd(), CB_GETCURSEL, 0, 0);
  if (row < 0) return false;
  SoundList::Step step = list_.Choose(static_cast<size_t>(row));
  if (step == SoundList::Step::kBrowse) step = list_.BrowseEnded(AskForWaveFile(owner, list_.customPath()));
  // The rows change with a new file; the dialog may also be gone after the file dialog.
  if (GetSafeHwnd()) ShowRows();
  return step == SoundList::Step::kPreview;
}

}  // namespace zavra
