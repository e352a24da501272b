// notezavra: the resident tray program.
#include "app/NoteKitApp_win.h"
#include "framework/Win.h"
#include <cstdlib>
#include <ctime>

namespace {

// Created before the application object runs, and held for the whole run: its creation
// result tells whether another copy is already resident.
struct SingleInstanceMutex {
  HANDLE handle;
  DWORD error;
  SingleInstanceMutex() : handle(::CreateMutexW(nullptr, FALSE, L"QEl noteZaVRA")), error(::GetLastError()) {}
  ~SingleInstanceMutex() {
    if (handle) ::CloseHandle(handle);
  }
};
const SingleInstanceMutex instanceMutex;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  // msvcrt misreads some TZ values; without one it takes the zone from the system.
  _putenv("TZ=");
  _tzset();
  zavra::CNoteKitApp app(instanceMutex.error);
  return app.Run(instance, commandLine);
}
