// ZavraNd: the skin designer.
#include "designer/DesignerApp_win.h"
#include "framework/Win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  zavra::CQelNoteDesignerApp app;
  return app.Run(instance, commandLine);
}
