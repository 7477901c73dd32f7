// A timer on the user-interface thread: OnTimer runs from the message loop
// every Interval milliseconds while the timer is enabled.
#pragma once

#include <windows.h>

#include <functional>

namespace huemira {

class Timer {
 public:
  explicit Timer(UINT intervalMs = 1000) : interval_(intervalMs) {}
  ~Timer() { SetEnabled(false); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return id_ != 0; }
  void SetEnabled(bool enabled);
  UINT Interval() const { return interval_; }
  // Restarts the count when the timer runs.
  void SetInterval(UINT intervalMs);

  std::function<void()> OnTimer;

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  UINT interval_;
  UINT_PTR id_ = 0;
};

}  // namespace huemira
