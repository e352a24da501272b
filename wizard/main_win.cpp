// ZavraSwiz: the shortcut wizard.
#include "framework/Win.h"
#include "wizard/ZavraSwizApp_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  zavra::CZavraSwizApp app;
  return app.Run(instance, commandLine);
}
