#pragma once
// Shell shortcuts (.lnk) through IShellLinkW and IPersistFile. COM must be initialised.
#include "framework/Win.h"
#include "wizard/HotKeys.h"
#include <optional>
#include <string>
#include <vector>

namespace zavra {

struct ShellLinkData {
  std::wstring target;
  std::wstring arguments;
  std::wstring workingFolder;
  WORD hotKey = 0;
  bool operator==(const ShellLinkData&) const = default;
};

// Writes the shortcut, replacing a file of that name; the result of the last step tried.
HRESULT SaveShellLink(const std::wstring& path, const ShellLinkData& link);
std::optional<ShellLinkData> LoadShellLink(const std::wstring& path);

// The hot keys of the "*.lnk" files directly in `folder` that have one.
std::vector<ShortcutHotKey> ListShortcutHotKeys(const std::wstring& folder);

}  // namespace zavra
