#pragma once
#include <string>

namespace zavra {

// Registers the portable note file type, the ".zpn" extension and the "note" link scheme
// for the program at `programPath`. Keys that cannot be created are skipped.
void RegisterShellAssociations(const std::wstring& programPath);

}  // namespace zavra
