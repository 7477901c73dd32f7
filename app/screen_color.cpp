#include "app/screen_color.h"

#include "framework/handles.h"

namespace huemira {

TColor ScreenColorAt(POINT screenPoint) {
  COLORREF pixel = CLR_INVALID;
  // Between monitors of unequal size the desktop's bounding box holds
  // places that no monitor shows, where the screen's DC may answer anything.
  if (MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONULL)) {
    if (const WindowDc screen(nullptr); screen) pixel = GetPixel(screen.get(), screenPoint.x, screenPoint.y);
  }
  return MakeColor(pixel & 0xFF, (pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF);
}

}  // namespace huemira
