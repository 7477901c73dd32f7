#include "app/form_place.h"

#include <optional>
#include <vector>

#include "app/settings.h"
#include "app/window_place.h"
#include "color/web_color.h"
#include "framework/exception.h"

namespace huemira {

namespace {

std::optional<int> ReadInt(const std::wstring& section, const wchar_t* key) {
  try {
    return StrToInt(ReadSetting(section, key));
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{sizeof(info)};
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<Rect>*>(list)->push_back(
        Rect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  return TRUE;
}

}  // namespace

void RestoreFormPlace(HWND window, const std::wstring& section, POINT fallback, HWND anchor) {
  RECT frame;
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  std::vector<Rect> workAreas;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&workAreas));
  MONITORINFO monitor{sizeof(monitor)};
  GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &monitor);
  const Rect area{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
  const std::optional<int> left = ReadInt(section, L"Left"), top = ReadInt(section, L"Top");
  std::optional<Point> stored;
  if (left && top) stored = Point{*left, *top};
  const Point place = RestoredPlace(stored, width, height, GetSystemMetrics(SM_CYSMCAPTION), workAreas,
                                    Point{fallback.x, fallback.y}, area);
  SetWindowPos(window, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SaveFormPlace(HWND window, const std::wstring& section) {
  RECT frame;
  GetWindowRect(window, &frame);
  WriteSettings({{section, L"Left", std::to_wstring(frame.left)}, {section, L"Top", std::to_wstring(frame.top)}});
}

}  // namespace huemira
