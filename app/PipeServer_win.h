#pragma once
#include "framework/Win.h"

namespace zavra {

inline constexpr ULONG_PTR kCopyDataCommand = 9319;

// Starts the command pipe's server thread; every message becomes a synchronous WM_COPYDATA
// to `mainWindow`. The thread runs until the process ends.
bool StartPipeServer(HWND mainWindow);

// Waits (alertably) for a client on a fresh instance of an overlapped pipe; true when there is
// a client to read from - also one that connected, wrote its message and left before the
// wait began.
bool AwaitClient(HANDLE pipe, HANDLE event);

}  // namespace zavra
