// The frozen screen: a window over the whole virtual desktop that shows the
// snapshot a frozen pick reads from, so that what the user sees is what the
// pick takes, however the windows beneath change meanwhile.
#pragma once

#include "app/screen_pixels.h"
#include "framework/window.h"

namespace huemira {

class FrozenBackdrop : public Window {
 public:
  // Covers the snapshot's part of the desktop, above every window but
  // those shown topmost after it. pixels must hold a snapshot while shown.
  void Show(const ScreenPixels& pixels);
  void Close();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  const ScreenPixels* pixels_ = nullptr;
};

}  // namespace huemira
