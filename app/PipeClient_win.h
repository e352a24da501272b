#pragma once
#include "framework/Win.h"
#include <string_view>

namespace zavra {

inline constexpr wchar_t kCommandPipeName[] = L"\\\\.\\pipe\\QelNoteZavra";

// How long a sender waits for a main program that is still starting (its window or its pipe).
inline constexpr unsigned kPipeStartWaitMs = 10000;

// Writes one command message to the running main program, waiting up to kPipeStartWaitMs
// for its pipe. Failures are silent to the user; the result only tells tests and callers
// whether the message went out.
bool SendPipeCommand(HWND previousForeground, std::wstring_view commandLine);

}  // namespace zavra
