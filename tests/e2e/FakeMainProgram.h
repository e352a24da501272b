#pragma once
// Stands in for the resident main program inside the test process: its window title, its
// single-instance mutex and its command pipe, recording every command that arrives.
#include "app/PipeMessage.h"
#include "app/PipeServer_win.h"
#include "framework/Handles.h"
#include "framework/Window.h"
#include <string>
#include <vector>

namespace zavra::test {

class FakeMainProgram : public CWnd {
 public:
  struct Received {
    HWND previous;
    std::u16string line;
  };
  std::vector<Received> received;

  bool Start() {
    mutex_.reset(::CreateMutexW(nullptr, FALSE, L"QEl noteZaVRA"));
    RegisterWindowClass(L"ZavraFakeMain", 0);
    if (!CreateEx(WS_EX_TOOLWINDOW, L"ZavraFakeMain", L"Qel note ZaVRA", WS_POPUP, RECT{-500, 10, -490, 20}))
      return false;
    return StartPipeServer(GetSafeHwnd());
  }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_COPYDATA) {
      const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
      if (cds->dwData == kCopyDataCommand)
        received.push_back({reinterpret_cast<HWND>(wp), CommandLineFromCopyData(cds->lpData, cds->cbData)});
      return TRUE;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }

 private:
  KernelHandle mutex_;
};

}  // namespace zavra::test
