// Win32 touch points of the DIB model.
#include <windows.h>

#include "imaging/dib/dib_graphic.h"
#include "imaging/dib/dib_platform.h"

namespace huemira {
namespace {

class TInertFrameTimer : public TFrameTimer {
 public:
  void Enable(int) override {}
  void Disable() override {}
};

}  // namespace

void TDibGraphic::PaletteDeleter::operator()(HPALETTE palette) const { DeleteObject(palette); }

std::unique_ptr<TFrameTimer> CreateFrameTimer(std::function<void()>) { return std::make_unique<TInertFrameTimer>(); }
void ProcessPendingMessages() {}
int ScreenDpiX() { return 96; }
int ScreenDpiY() { return 96; }

}  // namespace huemira
