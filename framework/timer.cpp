#include "framework/timer.h"

#include <map>

#include "framework/application.h"

namespace huemira {

namespace {
// Thread timers identify themselves only by id; this maps ids back to objects.
std::map<UINT_PTR, Timer*>& RunningTimers() {
  static std::map<UINT_PTR, Timer*> timers;
  return timers;
}
}  // namespace

void Timer::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (enabled) {
    id_ = SetTimer(nullptr, 0, interval_, TimerProc);
    if (id_) RunningTimers()[id_] = this;
  } else {
    KillTimer(nullptr, id_);
    RunningTimers().erase(id_);
    id_ = 0;
  }
}

void Timer::SetInterval(UINT intervalMs) {
  interval_ = intervalMs;
  if (Enabled()) {
    SetEnabled(false);
    SetEnabled(true);
  }
}

void CALLBACK Timer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = RunningTimers().find(id);
  if (found == RunningTimers().end()) return;
  Timer* timer = found->second;
  if (timer->OnTimer) RunGuarded([timer] { timer->OnTimer(); });
}

}  // namespace huemira
