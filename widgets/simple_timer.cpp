#include "widgets/simple_timer.h"

#include "framework/application.h"

namespace huemira {

namespace {
constexpr wchar_t kTimerWindowClass[] = L"HuemiraSimpleTimer";

UINT_PTR NextTimerId() {
  static UINT_PTR next = 0;
  return ++next;
}
}  // namespace

TSimpleTimerHandler::TSimpleTimerHandler() {
  WindowArgs args;
  args.className = kTimerWindowClass;
  args.parent = HWND_MESSAGE;  // receives its timers and nothing broadcast
  CreateHandle(args);
}

void TSimpleTimerHandler::Arm(TSimpleTimer& timer) {
  // Setting a timer of the same identifier again restarts its count.
  if (SetTimer(Handle(), timer.Id(), timer.Interval(), nullptr)) armed_[timer.Id()] = &timer;
}

void TSimpleTimerHandler::Disarm(TSimpleTimer& timer) {
  KillTimer(Handle(), timer.Id());
  armed_.erase(timer.Id());
}

LRESULT TSimpleTimerHandler::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER) return DefaultHandling(message, wParam, lParam);
  const auto found = armed_.find(wParam);
  if (found != armed_.end()) found->second->Fire();
  return 0;
}

TSimpleTimer::TSimpleTimer(UINT intervalMs, std::function<void()> onTimer)
    : id_(NextTimerId()), interval_(intervalMs), onTimer_(std::move(onTimer)) {}

TSimpleTimer::~TSimpleTimer() { Stop(); }

bool TSimpleTimer::Start() {
  if (interval_ == 0) return false;
  enabled_ = true;
  running_ = false;  // armed again below: the count starts over
  Update();
  return true;
}

void TSimpleTimer::Stop() {
  enabled_ = false;
  Update();
}

void TSimpleTimer::SetEnabled(bool enabled) {
  if (enabled) {
    Start();
  } else {
    Stop();
  }
}

void TSimpleTimer::SetInterval(UINT intervalMs) {
  interval_ = intervalMs;
  running_ = false;
  Update();
}

void TSimpleTimer::SetOnTimer(std::function<void()> onTimer) {
  onTimer_ = std::move(onTimer);
  Update();
}

void TSimpleTimer::Update() {
  const bool run = enabled_ && interval_ != 0 && onTimer_;
  if (run && !running_) {
    handler_->Arm(*this);
  } else if (!run) {
    handler_->Disarm(*this);
  }
  running_ = run;
}

void TSimpleTimer::Fire() {
  if (AutoDisable) Stop();
  // A copy: the handler may replace itself, or end this timer.
  const std::function<void()> handler = onTimer_;
  if (handler) RunGuarded(handler);
}

}  // namespace huemira
