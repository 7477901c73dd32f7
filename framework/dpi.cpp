#include "framework/dpi.h"

#include "framework/handles.h"

namespace huemira {

namespace {

// The awareness contexts of the newer systems, by their documented values.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr int kProcessPerMonitorDpiAware = 2;
constexpr int kEffectiveDpi = 0;

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

HMODULE User32() {
  static const HMODULE module = GetModuleHandleW(L"user32.dll");
  return module;
}

// Loaded once and kept: its functions are asked for at every monitor change.
HMODULE ShellCore() {
  static const HMODULE module = LoadLibraryW(L"shcore.dll");
  return module;
}

LOGFONTW NonClientFontAt(UINT dpi, LOGFONTW NONCLIENTMETRICSW::*font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = Lookup<ForDpi>(User32(), "SystemParametersInfoForDpi");
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) return metrics.*font;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  // The system gives its fonts at its own resolution.
  LOGFONTW result = metrics.*font;
  result.lfHeight = MulDiv(result.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
  return result;
}

}  // namespace

void DeclareDpiAwareness() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (const auto setContext = Lookup<SetContext>(User32(), "SetProcessDpiAwarenessContext")) {
    if (setContext(kPerMonitorAwareV2) || GetLastError() == ERROR_ACCESS_DENIED) return;
    if (setContext(kPerMonitorAware) || GetLastError() == ERROR_ACCESS_DENIED) return;
  }
  using SetAwareness = HRESULT(WINAPI*)(int);
  if (const auto setAwareness = Lookup<SetAwareness>(ShellCore(), "SetProcessDpiAwareness")) {
    const HRESULT result = setAwareness(kProcessPerMonitorDpiAware);
    if (SUCCEEDED(result) || result == E_ACCESSDENIED) return;
  }
  using SetAware = BOOL(WINAPI*)();
  if (const auto setAware = Lookup<SetAware>(User32(), "SetProcessDPIAware")) setAware();
}

UINT SystemDpi() {
  static const UINT dpi = [] {
    const WindowDc screen(nullptr);
    const int logPixels = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return logPixels > 0 ? static_cast<UINT>(logPixels) : static_cast<UINT>(kDefaultDpi);
  }();
  return dpi;
}

UINT MonitorDpi(HMONITOR monitor) {
  using GetDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpi = Lookup<GetDpi>(ShellCore(), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpi && monitor && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)) && x > 0) return x;
  return SystemDpi();
}

UINT DpiAtPoint(POINT screenPoint) { return MonitorDpi(MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST)); }

RECT ScaleBounds(const RECT& bounds, UINT dpi) {
  const DpiScale scale{static_cast<int>(dpi)};
  const int left = scale(bounds.left);
  const int top = scale(bounds.top);
  return RECT{left, top, left + scale(bounds.right - bounds.left), top + scale(bounds.bottom - bounds.top)};
}

RECT WindowRectForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
  RECT frame{0, 0, client.cx, client.cy};
  using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = Lookup<AdjustForDpi>(User32(), "AdjustWindowRectExForDpi");
  if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, dpi))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return frame;
}

LOGFONTW MessageFontAt(UINT dpi) { return NonClientFontAt(dpi, &NONCLIENTMETRICSW::lfMessageFont); }

LOGFONTW MenuFontAt(UINT dpi) { return NonClientFontAt(dpi, &NONCLIENTMETRICSW::lfMenuFont); }

}  // namespace huemira
