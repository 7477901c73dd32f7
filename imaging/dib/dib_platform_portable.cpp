// Without a window system there is nothing to animate on and no screen: the
// frame timer never ticks and a resolution of 0 means the usual 96 dpi.
#include "imaging/dib/dib_platform.h"

namespace huemira {
namespace {

class TInertFrameTimer : public TFrameTimer {
 public:
  void Enable(int) override {}
  void Disable() override {}
};

}  // namespace

std::unique_ptr<TFrameTimer> CreateFrameTimer(std::function<void()>) { return std::make_unique<TInertFrameTimer>(); }
void ProcessPendingMessages() {}
int ScreenDpiX() { return 96; }
int ScreenDpiY() { return 96; }

}  // namespace huemira
