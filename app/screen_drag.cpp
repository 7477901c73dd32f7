#include "app/screen_drag.h"

#include "app/screen_color.h"

namespace huemira {

ScreenDrag::ScreenDrag(Timer& timer) : timer_(timer) { timer_.OnTimer = [this] { Sample(); }; }

void ScreenDrag::Begin() { timer_.SetEnabled(true); }

void ScreenDrag::End() {
  timer_.SetEnabled(false);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void ScreenDrag::Sample() {
  SetCursor(LoadCursorW(nullptr, IDC_CROSS));
  POINT point;
  GetCursorPos(&point);
  const TColor color = ScreenColorAt(point);
  if (OnSample) OnSample(color);
}

}  // namespace huemira
