#pragma once
#include "framework/Win.h"

namespace zavra {

inline constexpr ULONG_PTR kCopyDataCommand = 9319;

// Starts the command pipe's server thread; every message becomes a synchronous WM_COPYDATA
// to `mainWindow`. The thread runs until the process ends.
bool StartPipeServer(HWND mainWindow);

}  // namespace zavra
