// A timer without a window of its own: every simple timer of the program
// runs on one hidden message window, which the first timer creates and the
// last one destroys.
#pragma once

#include <windows.h>

#include <functional>
#include <map>

#include "framework/window.h"
#include "widgets/shared_handler.h"

namespace huemira {

class TSimpleTimer;

// The hidden window that receives the WM_TIMER of every simple timer.
class TSimpleTimerHandler : public Window {
 public:
  TSimpleTimerHandler();

  void Arm(TSimpleTimer& timer);
  void Disarm(TSimpleTimer& timer);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Timers are found by their identifier, never by an address taken from a
  // message, so a tick that was queued before its timer died finds nothing.
  std::map<UINT_PTR, TSimpleTimer*> armed_;
};

class TSimpleTimer {
 public:
  explicit TSimpleTimer(UINT intervalMs = 1000, std::function<void()> onTimer = {});
  ~TSimpleTimer();
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  // Starts the count, or starts it again when the timer runs; fails
  // (returns false, nothing changes) with an interval of 0.
  bool Start();
  // Stops the timer and clears its enabled flag.
  void Stop();

  // Asked to run (Start) and not stopped since. An enabled timer runs
  // whenever it has a non-zero interval and a handler.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Running() const { return running_; }

  UINT Interval() const { return interval_; }
  // A running timer starts its count again, or stops (staying enabled) at 0.
  void SetInterval(UINT intervalMs);
  // An empty handler stops the timer, which stays enabled.
  void SetOnTimer(std::function<void()> onTimer);

  // Stops the timer before each run of its handler: a one-shot timer.
  bool AutoDisable = false;

  UINT_PTR Id() const { return id_; }
  // The shared window the timer runs on.
  HWND HandlerWindow() const { return handler_->Handle(); }

 private:
  friend class TSimpleTimerHandler;
  void Update();
  void Fire();

  SharedHandler<TSimpleTimerHandler> handler_;
  const UINT_PTR id_;
  UINT interval_;
  std::function<void()> onTimer_;
  bool enabled_ = false;
  bool running_ = false;
};

}  // namespace huemira
