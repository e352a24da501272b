#pragma once
// Where the launcher the shortcuts start is found.
#include <functional>
#include <optional>
#include <string>

namespace zavra {

inline constexpr char16_t kLauncherFileName[] = u"ZavraL.exe";
// The registry value is read into a buffer of this many units, terminator included.
inline constexpr size_t kInstallFolderBuffer = 260;

// The folder the installation registered, when it is usable and the launcher lies there;
// else the wizard's own folder when the launcher lies beside it (a copy run without the
// installer); else the registered folder as it stands. Nothing when neither is known.
std::optional<std::u16string> ChooseInstallFolder(const std::optional<std::u16string>& registered,
                                                  const std::u16string& ownFolder,
                                                  const std::function<bool(const std::u16string& path)>& exists);

}  // namespace zavra
