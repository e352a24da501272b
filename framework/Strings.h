#pragma once
// Texts from the string table, and the framework's %1 %2 message formatting.
#include "framework/Win.h"
#include <initializer_list>
#include <string>

namespace zavra {

// The string resource `id` of `module` (this program when null); empty when missing.
std::wstring LoadResString(UINT id, HINSTANCE module = nullptr);

// Replaces %1 ... %9 by the given arguments; "%%" stays a single "%".
std::wstring FormatArgs(const std::wstring& pattern, std::initializer_list<std::wstring> args);

}  // namespace zavra
