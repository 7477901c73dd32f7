#include "app/screen_color.h"

#include "framework/handles.h"

namespace huemira {

TColor ScreenColorAt(POINT screenPoint) {
  COLORREF pixel = CLR_INVALID;
  if (const WindowDc screen(nullptr); screen) pixel = GetPixel(screen.get(), screenPoint.x, screenPoint.y);
  return MakeColor(pixel & 0xFF, (pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF);
}

}  // namespace huemira
