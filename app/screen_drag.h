// Picking from the screen by dragging from a held button: while it is held,
// the pixel under the pointer is read at every tick of the caller's timer
// and reported, under the cross pointer; the caller ends the drag when the
// button is released.
#pragma once

#include <functional>

#include "framework/color.h"
#include "framework/timer.h"

namespace huemira {

class ScreenDrag {
 public:
  // The timer (100 ms) is the caller's, so that it shows as the caller's own.
  explicit ScreenDrag(Timer& timer);

  void Begin();
  // Stops the reading and gives the arrow pointer back; the last colour
  // reported is the pick.
  void End();
  bool Dragging() const { return timer_.Enabled(); }

  std::function<void(TColor)> OnSample;

 private:
  void Sample();

  Timer& timer_;
};

}  // namespace huemira
