#pragma once
// The "layers" file of a skin folder on disk, for the skin lists and the designer.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "skin/SkinLayer.h"

namespace zavra {

// A whole file opened for reading (sharing reading); nothing when it cannot be opened or
// read, or is larger than `limit` bytes.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path, size_t limit);

// Reads folder + "layers" (the folder ends with a backslash); the result codes of ReadLayers,
// or kLayersIoError when the file cannot be read.
int LoadLayersFile(const std::wstring& folder, std::vector<SLAYER>& layers);
// Writes folder + "layers" through a new file that then replaces the old one; kLayersIoError
// when any step fails, and the old file is then left as it was.
int SaveLayersFile(const std::wstring& folder, std::span<const SLAYER> layers);

}  // namespace zavra
