#pragma once
#include "framework/Win.h"
#include <string_view>

namespace zavra {

inline constexpr wchar_t kCommandPipeName[] = L"\\\\.\\pipe\\QelNoteZavra";

// Writes one command message to the running main program. Failures are silent to the user;
// the result only tells tests and callers whether the message went out.
bool SendPipeCommand(HWND previousForeground, std::wstring_view commandLine);

}  // namespace zavra
