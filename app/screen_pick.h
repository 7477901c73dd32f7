// Picking a colour off the screen with a held mouse button: the pointer is
// sampled every 100 ms while the button is held, and the pick's session
// (app/pick_session.h) gives the loupe, the sample size, the frozen screen
// and the keys. A window hands its button's press, release and lost capture
// to Begin and End; the pick takes the button's keys and wheel while it runs.
#pragma once

#include <windows.h>

#include <functional>

#include "app/pick_session.h"
#include "color/web_color.h"
#include "framework/timer.h"

namespace huemira {

class ScreenPick {
 public:
  ScreenPick();
  ~ScreenPick();
  ScreenPick(const ScreenPick&) = delete;
  ScreenPick& operator=(const ScreenPick&) = delete;

  // The press on the button that holds the pointer while the pick runs.
  // The first sample follows 100 ms later.
  void Begin(HWND buttonWindow);
  // The release, or the button's loss of the pointer: raises OnFinish with
  // the last sampled colour, or, when the pick ended before its first
  // sample, with the sample under the pointer. Nothing happens when no pick runs.
  void End();
  // Esc: ends the pick without finishing it, and raises OnCancel.
  void Cancel();
  bool Picking() const { return sampleTimer_.Enabled(); }
  const PickSession& Session() const { return session_; }
  void SetDisplayProfiles(DisplayProfiles* profiles) { session_.SetDisplayProfiles(profiles); }
  void SetNearestToken(PickSession::NearestTokenFinder finder) { session_.SetNearestToken(std::move(finder)); }
  const Loupe& PickLoupe() const { return session_.PickLoupe(); }

  std::function<void(TColor)> OnSample;
  std::function<void(TColor)> OnFinish;
  std::function<void()> OnCancel;

 private:
  static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
  bool HandleKey(WPARAM key);
  // Stops sampling and gives the button its own keys back.
  void Stop();

  Timer sampleTimer_{100};
  PickSession session_;
  HWND button_ = nullptr;
  TColor lastSample_ = 0;
  bool sampled_ = false;
};

}  // namespace huemira
