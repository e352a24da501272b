#pragma once
// Helpers for Windows tests: pumping messages while waiting, and waiting for conditions.
#include "framework/Win.h"
#include <chrono>
#include <functional>

namespace zavra::test {

// Dispatches this thread's messages (and incoming sent messages) until `done` or the timeout.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE | MWMO_ALERTABLE);
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&m);
      ::DispatchMessageW(&m);
    }
  }
  return true;
}

inline void Pump(int ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace zavra::test
