// feedzavra: the feed subscription helper. Its whole command line is one feed address.
#include "feedhelper/FeedHelper_win.h"
#include "framework/Win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  return zavra::RunFeedHelper(commandLine ? commandLine : L"");
}
