// ZavraNd: the skin designer.
#include "framework/Win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return 0; }
