#include "schedule/SkinComboBox_win.h"

#include "framework/Handles.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"

namespace zavra {

namespace {

// Sub-folders in the order the file system gives them.
std::vector<std::u16string> SkinFolders(const std::wstring& skinsFolder) {
  std::vector<std::u16string> names;
  if (skinsFolder.empty()) return names;
  WIN32_FIND_DATAW found{};
  FindHandle find(::FindFirstFileExW((skinsFolder + L"*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchLimitToDirectories, nullptr, 0));
  if (!find) return names;
  do {
    const std::u16string name = ToU16(found.cFileName);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsSkinFolderName(name)) names.push_back(name);
  } while (::FindNextFileW(find.get(), &found));
  return names;
}

}  // namespace

void CSkinComboBox::Fill(const std::wstring& skinsFolder, bool allowInherit, const SkinChoice& current) {
  allowInherit_ = allowInherit;
  folders_ = SkinFolders(skinsFolder);
  HWND combo = GetSafeHwnd();
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  if (allowInherit)
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResString(IDS_SKIN_INHERIT).c_str()));
  ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResString(IDS_SKIN_NONE).c_str()));
  for (const std::u16string& name : folders_)
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(name)));
  ::SendMessageW(combo, CB_SETCURSEL, SkinRowFor(folders_, allowInherit, current), 0);
}

SkinChoice CSkinComboBox::Choice() const {
  const LRESULT row = ::SendMessageW(GetSafeHwnd(), CB_GETCURSEL, 0, 0);
  return SkinChoiceAt(folders_, allowInherit_, row < 0 ? 0 : static_cast<size_t>(row));
}

}  // namespace zavra
