// The hint machinery of every form: it watches the pointer over the windows
// that have a hint, decides when a hint is due and when it ends, and hands
// the showing to the installed hint window. Timers run only while a hint
// is waiting to show or is shown.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/hint_window.h"
#include "framework/timer.h"

namespace huemira {

struct HintTiming {
  UINT pause = 500;       // pointer at rest over a window until its hint shows
  UINT shortPause = 50;   // the same when coming straight from another shown hint
  UINT hidePause = 2500;  // how long a hint stays
};

struct HintInfo {
  HWND control;
  POINT cursor;  // screen coordinates
};

class HintController {
 public:
  HintController();
  ~HintController();
  HintController(const HintController&) = delete;
  HintController& operator=(const HintController&) = delete;

  // Gives a window of this thread a hint. Its messages are watched until it
  // is destroyed.
  void Add(HWND control, const std::wstring& text);

  // The window that shows hints from now on; null brings back the plain one.
  void SetWindow(std::unique_ptr<HintWindow> window);
  HintWindow& Window();

  const HintTiming& Timing() const { return timing_; }
  void SetTiming(const HintTiming& timing) { timing_ = timing; }

  // Asked before each hint shows: may change its text or keep it from showing.
  std::function<void(std::wstring& text, bool& canShow, const HintInfo& info)> OnShowHint;

  // Hides the hint and forgets any that is waiting.
  void Cancel();

  // The window the pointer is over and whose hint is waiting, shown or over.
  HWND HintControl() const { return control_; }
  bool Showing() const { return state_ == State::Showing; }
  bool Waiting() const { return state_ == State::Waiting; }
  UINT WaitingTime() const { return timer_.Interval(); }

 private:
  enum class State { Idle, Waiting, Showing, Over };

  static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);
  void PointerMoved(HWND control);
  void PointerLeft(HWND control);
  void Dismiss(HWND control);
  void Forget(HWND control);
  void TimerFired();
  void ShowHint();
  void HideHint();
  void Wait(UINT milliseconds);

  std::map<HWND, std::wstring> texts_;
  std::unique_ptr<HintWindow> window_;
  HintTiming timing_;
  Timer timer_;
  HWND control_ = nullptr;
  State state_ = State::Idle;
  // When the pointer last left a window whose hint was shown; the next
  // window's hint then follows quickly.
  DWORD leftShownHintAt_ = 0;
  bool leftShownHint_ = false;
};

}  // namespace huemira
