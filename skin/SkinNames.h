#pragma once
// Names that come out of skin files and note records: how they are compared and which ones
// may become paths. A damaged file must not make the program read files elsewhere.
#include <optional>
#include <string>
#include <string_view>

namespace zavra {

// Case folding for the case-insensitive skin and picture lists (Latin, Greek, Cyrillic).
std::u16string FoldCase(std::u16string_view s);

// A title is one folder name: no path separators or other characters that file names may not
// hold, not only dots and spaces, not a device name.
bool IsValidSkinTitle(std::u16string_view title);

// The file an Image layer's picture name stands for, or nothing when the name may not be used.
// A name without separators is a file in the skin's folder (which ends with a backslash); a
// name with a backslash must be a full local path "X:\..." without "." or ".." components, as
// only the designer writes. Forward slashes, relative paths with folders, UNC and device paths
// are refused.
std::optional<std::u16string> ResolvePicturePath(std::u16string_view skinFolder, std::u16string_view name);

}  // namespace zavra
