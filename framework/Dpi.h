#pragma once
// The DPI of the monitor a window, rectangle or point is on, and the system's fonts and metrics
// for that DPI. The per-monitor functions are bound at run time, so the programs still start
// on systems that lack them; there the system DPI stands in.
#include "framework/DpiScale.h"
#include "framework/Win.h"

namespace zavra {

uint32_t SystemDpi();
uint32_t WindowDpi(HWND window);
uint32_t MonitorDpi(HMONITOR monitor);
// The monitor that holds most of the rectangle, or the nearest one.
uint32_t RectDpi(const RECT& screen);
uint32_t PointDpi(POINT screen);

// The icon-title font and the menu font as the system gives them at `dpi`.
::LOGFONTW IconTitleFontAt(uint32_t dpi);
::LOGFONTW MenuFontAt(uint32_t dpi);
// A GetSystemMetrics value at `dpi`.
int SystemMetricAt(int index, uint32_t dpi);

// The height of a font of `points` points at `dpi` (a LOGFONT height: negative).
inline LONG PointsToHeight(int points, uint32_t dpi) { return -::MulDiv(points, static_cast<int>(UsableDpi(dpi)), 72); }

// WM_DPICHANGED: the new DPI and the window rectangle the system suggests.
inline uint32_t DpiOfMessage(WPARAM wp) { return UsableDpi(HIWORD(wp)); }
inline RECT SuggestedRect(LPARAM lp) { return *reinterpret_cast<const RECT*>(lp); }

}  // namespace zavra
