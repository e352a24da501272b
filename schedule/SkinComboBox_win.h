#pragma once
// CSkinComboBox: a drop-down list of skins: "(Inherit)" when the owner may follow its category,
// "(None)" for the built-in skin, then every skin folder of the skins folder.
#include <string>
#include <vector>

#include "framework/Window.h"
#include "schedule/PickerLists.h"

namespace zavra {

class CSkinComboBox : public CWnd {
 public:
  // `skinsFolder` ends with a backslash; an empty one lists no folders.
  void Fill(const std::wstring& skinsFolder, bool allowInherit, const SkinChoice& current);
  SkinChoice Choice() const;
  const std::vector<std::u16string>& folders() const { return folders_; }

 private:
  std::vector<std::u16string> folders_;
  bool allowInherit_ = false;
};

}  // namespace zavra
