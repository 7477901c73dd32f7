// The few services the DIB model needs from the window system. Windows gives
// them in dib_graphic_win32.cpp; elsewhere they are inert (dib_platform_portable.cpp).
#pragma once

#include <functional>
#include <memory>

namespace huemira {

// Calls its tick function every interval while enabled, on the window thread.
class TFrameTimer {
 public:
  virtual ~TFrameTimer() = default;
  virtual void Enable(int intervalMs) = 0;
  virtual void Disable() = 0;
};

std::unique_ptr<TFrameTimer> CreateFrameTimer(std::function<void()> onTick);
// Lets the window system paint a newly shown frame before the caller goes on.
void ProcessPendingMessages();
// Resolution of the screen, used for an image whose resolution is given as 0.
int ScreenDpiX();
int ScreenDpiY();

}  // namespace huemira
