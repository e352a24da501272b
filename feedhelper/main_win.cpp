// feedzavra: the feed subscription helper.
#include "framework/Win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return 0; }
