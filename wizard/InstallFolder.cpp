#include "wizard/InstallFolder.h"

#include "wizard/ShortcutNames.h"

namespace zavra {

std::optional<std::u16string> ChooseInstallFolder(const std::optional<std::u16string>& registered,
                                                  const std::u16string& ownFolder,
                                                  const std::function<bool(const std::u16string& path)>& exists) {
  std::optional<std::u16string> value;
  if (registered && !registered->empty() && registered->size() < kInstallFolderBuffer) value = registered;
  if (value && exists(JoinPath(*value, kLauncherFileName))) return value;
  if (!ownFolder.empty() && exists(JoinPath(ownFolder, kLauncherFileName))) return ownFolder;
  return value;
}

}  // namespace zavra
