#include "app/screen_pick.h"

#include <commctrl.h>

#include "framework/application.h"

namespace huemira {

namespace {

// Its own subclass id, beside the one the button's control class installs.
constexpr UINT_PTR kPickSubclassId = 0x5049434B;

}  // namespace

ScreenPick::ScreenPick() {
  sampleTimer_.OnTimer = [this] {
    SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    lastSample_ = session_.Sample();
    sampled_ = true;
    // Also what changes under a still pointer shows in the loupe.
    session_.Follow();
    if (OnSample) OnSample(lastSample_);
  };
}

ScreenPick::~ScreenPick() { Stop(); }

void ScreenPick::Begin(HWND buttonWindow) {
  Stop();
  button_ = buttonWindow;
  sampled_ = false;
  SetWindowSubclass(button_, ButtonProc, kPickSubclassId, reinterpret_cast<DWORD_PTR>(this));
  sampleTimer_.SetEnabled(true);
  session_.Start();
  session_.Follow();
}

void ScreenPick::End() {
  if (!Picking()) return;
  const TColor color = sampled_ ? lastSample_ : session_.Sample();
  Stop();
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  if (OnFinish) OnFinish(color);
}

void ScreenPick::Cancel() {
  if (!Picking()) return;
  const HWND button = button_;
  Stop();
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  // The button lets go of the pointer at once; its release arrives when no
  // pick runs and ends nothing.
  if (GetCapture() == button) ReleaseCapture();
  if (OnCancel) OnCancel();
}

void ScreenPick::Stop() {
  sampleTimer_.SetEnabled(false);
  session_.Stop();
  if (button_) RemoveWindowSubclass(button_, ButtonProc, kPickSubclassId);
  button_ = nullptr;
}

bool ScreenPick::HandleKey(WPARAM key) {
  switch (session_.HandleKey(key, GetKeyState(VK_SHIFT) < 0)) {
    case PickSession::KeyVerdict::kCancel:
      Cancel();
      return true;
    case PickSession::KeyVerdict::kHandled:
      return true;
    case PickSession::KeyVerdict::kNotMine:
      return false;
  }
  return false;
}

LRESULT CALLBACK ScreenPick::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data) {
  auto* pick = reinterpret_cast<ScreenPick*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      // The window's dialog keys would take the arrows and Esc for moving
      // the focus and closing.
      return DLGC_WANTALLKEYS;
    case WM_MOUSEMOVE:
      RunGuarded([&] { pick->session_.Follow(); });
      break;
    case WM_MOUSEWHEEL:
      RunGuarded([&] { pick->session_.HandleWheel(GET_WHEEL_DELTA_WPARAM(wParam)); });
      return 0;
    case WM_KEYDOWN: {
      bool handled = false;
      RunGuarded([&] { handled = pick->HandleKey(wParam); });
      if (handled) return 0;
      break;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace huemira
