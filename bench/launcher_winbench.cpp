// How long `ZavraL.exe /n x` takes from start to end against a running main program, beside
// the start time of a trivial Win32 program measured in the same run.
#include "framework/Handles.h"
#include "framework/Win.h"
#include <shlwapi.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Folder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  ::PathRemoveFileSpecW(path);
  return std::wstring(path) + L"\\..\\";
}

double RunOnce(const std::wstring& exe, const std::wstring& args) {
  std::wstring line = L"\"" + exe + L"\" " + args;
  std::vector<wchar_t> buf(line.begin(), line.end());
  buf.push_back(0);
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  const auto t0 = std::chrono::steady_clock::now();
  if (!::CreateProcessW(exe.c_str(), buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  ::WaitForSingleObject(pi.hProcess, 30000);
  const auto t1 = std::chrono::steady_clock::now();
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int wmain() {
  const std::wstring dir = Folder();
  const std::wstring main = dir + L"bin\\notezavra.exe";
  const std::wstring launcher = dir + L"bin\\ZavraL.exe";
  const std::wstring trivial = dir + L"tools\\trivial.exe";
  const std::wstring trivialGui = dir + L"tools\\trivial_gui.exe";

  bool startedMain = false;
  if (!::FindWindowW(nullptr, L"Qel note ZaVRA")) {
    std::wstring line = L"\"" + main + L"\"";
    std::vector<wchar_t> buf(line.begin(), line.end());
    buf.push_back(0);
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(main.c_str(), buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      std::printf("cannot start notezavra.exe\n");
      return 1;
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    startedMain = true;
    for (int i = 0; i < 200 && !::FindWindowW(nullptr, L"Qel note ZaVRA"); ++i) ::Sleep(50);
  }

  const int runs = 15;
  std::vector<double> floor, guiFloor, launch;
  RunOnce(trivial, L"");
  RunOnce(trivialGui, L"");
  RunOnce(launcher, L"/n x");
  for (int i = 0; i < runs; ++i) {
    floor.push_back(RunOnce(trivial, L""));
    guiFloor.push_back(RunOnce(trivialGui, L""));
    launch.push_back(RunOnce(launcher, L"/n x"));
  }
  const double f = Median(floor), g = Median(guiFloor), l = Median(launch);
  std::printf("trivial Win32 program start (floor):            %.1f ms (median of %d)\n", f, runs);
  std::printf("trivial program with one window-manager call:   %.1f ms\n", g);
  std::printf("ZavraL.exe /n x end to end:                     %.1f ms\n", l);
  std::printf("ratio launcher/floor: %.2f (target <= 1.30); launcher/window-manager floor: %.2f\n", l / f, l / g);

  if (startedMain)
    if (HWND w = ::FindWindowW(nullptr, L"Qel note ZaVRA")) ::PostMessageW(w, WM_CLOSE, 0, 0);
  return 0;
}
