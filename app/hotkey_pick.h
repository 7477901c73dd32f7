// A screen pick started from the keyboard, with no button held: the loupe
// follows the pointer; a left click, Enter or Space takes the sample, and
// with Shift held the pick goes on for the next one; Esc or a right click
// gives it up. The session (app/pick_session.h) adds the arrows, the sample
// size and the frozen screen.
//
// Low-level hooks see the mouse and the keys wherever they go and keep the
// ones the pick uses from every window, so the click that takes a colour
// reaches no program beneath the pointer, while the screen stays live for
// the reads. The hooks only note what came; the pick acts on it from its
// own messages, so a slow step never holds up the system's input.
#pragma once

#include <windows.h>

#include <functional>

#include "app/pick_session.h"
#include "framework/timer.h"
#include "framework/window.h"

namespace huemira {

class HotkeyPick : public Window {
 public:
  HotkeyPick();
  ~HotkeyPick() override;

  // Starts a pick unless one runs already.
  void Begin();
  // Ends the pick without taking anything.
  void Cancel();
  bool Picking() const { return session_.Running(); }
  const PickSession& Session() const { return session_; }
  void SetDisplayProfiles(DisplayProfiles* profiles) { session_.SetDisplayProfiles(profiles); }
  void SetNearestToken(PickSession::NearestTokenFinder finder) { session_.SetNearestToken(std::move(finder)); }

  // A colour taken; keepPicking tells that the pick goes on.
  std::function<void(TColor color, bool keepPicking)> OnTake;

  // What the hooks deliver, by the same names.
  enum class Input { kMove, kTake, kTakeAndGoOn, kCancel, kWheel, kKey };
  void Deliver(Input input, int value = 0);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM data);
  static LRESULT CALLBACK KeyboardHook(int code, WPARAM message, LPARAM data);
  // Whether a hook keeps an event from the windows: forwards what the pick uses.
  bool Intercept(UINT message, DWORD key);
  void Post(Input input, int value = 0);
  void Take(bool keepPicking);
  void End();
  void Unhook();

  PickSession session_;
  HHOOK mouseHook_ = nullptr;
  HHOOK keyboardHook_ = nullptr;
  // The hooks stay after the pick for the release of what ended it, which
  // must not reach a window either; never longer than this.
  Timer releaseTimer_{1000};
  // Where the system hands the hooks no moves (a hook that timed out; under
  // Wine, windows of other X programs), the pointer is looked at as well.
  Timer followTimer_{50};
  POINT followedAt_{};
  DWORD endingKey_ = 0;  // a virtual key, or VK_LBUTTON / VK_RBUTTON
  bool movePosted_ = false;
};

}  // namespace huemira
