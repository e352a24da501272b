#include "framework/Dpi.h"

namespace zavra {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

template <class F>
F Bind(HMODULE module, const char* name) {
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// Windows 10 1607 and later; Windows 8.1 has only the monitor query, in shcore.
struct DpiFunctions {
  GetDpiForWindowFn forWindow = nullptr;
  GetDpiForSystemFn forSystem = nullptr;
  GetDpiForMonitorFn forMonitor = nullptr;
  SystemParametersInfoForDpiFn parametersForDpi = nullptr;
  GetSystemMetricsForDpiFn metricsForDpi = nullptr;

  DpiFunctions() {
    HMODULE user = ::GetModuleHandleW(L"user32.dll");
    forWindow = Bind<GetDpiForWindowFn>(user, "GetDpiForWindow");
    forSystem = Bind<GetDpiForSystemFn>(user, "GetDpiForSystem");
    parametersForDpi = Bind<SystemParametersInfoForDpiFn>(user, "SystemParametersInfoForDpi");
    metricsForDpi = Bind<GetSystemMetricsForDpiFn>(user, "GetSystemMetricsForDpi");
    // Loaded once and kept for the life of the process, like user32.
    HMODULE shcore = ::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    forMonitor = Bind<GetDpiForMonitorFn>(shcore, "GetDpiForMonitor");
  }
};

const DpiFunctions& Functions() {
  static const DpiFunctions functions;
  return functions;
}

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

void ScaleFont(::LOGFONTW& font, uint32_t from, uint32_t to) { font.lfHeight = RescaleLength(font.lfHeight, from, to); }

}  // namespace

uint32_t SystemDpi() {
  if (Functions().forSystem) return UsableDpi(Functions().forSystem());
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return UsableDpi(static_cast<uint32_t>(dpi));
}

uint32_t MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (monitor && Functions().forMonitor && SUCCEEDED(Functions().forMonitor(monitor, kEffectiveDpi, &x, &y)))
    return UsableDpi(y);
  return SystemDpi();
}

uint32_t WindowDpi(HWND window) {
  if (window && Functions().forWindow) {
    if (const UINT dpi = Functions().forWindow(window)) return UsableDpi(dpi);
  }
  if (window) return MonitorDpi(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
  return SystemDpi();
}

uint32_t RectDpi(const RECT& screen) { return MonitorDpi(::MonitorFromRect(&screen, MONITOR_DEFAULTTONEAREST)); }

uint32_t PointDpi(POINT screen) { return MonitorDpi(::MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST)); }

::LOGFONTW IconTitleFontAt(uint32_t dpi) {
  dpi = UsableDpi(dpi);
  ::LOGFONTW font{};
  if (Functions().parametersForDpi &&
      Functions().parametersForDpi(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0, dpi))
    return font;
  font = ::LOGFONTW{};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
  ScaleFont(font, SystemDpi(), dpi);
  return font;
}

::LOGFONTW MenuFontAt(uint32_t dpi) {
  dpi = UsableDpi(dpi);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (Functions().parametersForDpi &&
      Functions().parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
    return metrics.lfMenuFont;
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  ScaleFont(metrics.lfMenuFont, SystemDpi(), dpi);
  return metrics.lfMenuFont;
}

int SystemMetricAt(int index, uint32_t dpi) {
  if (Functions().metricsForDpi) return Functions().metricsForDpi(index, UsableDpi(dpi));
  return RescaleLength(::GetSystemMetrics(index), SystemDpi(), dpi);
}

}  // namespace zavra
