#include "app/screen_pick.h"

#include <commctrl.h>

#include "app/screen_color.h"
#include "framework/application.h"

namespace huemira {

namespace {

// Its own subclass id, beside the one the button's control class installs.
constexpr UINT_PTR kPickSubclassId = 0x5049434B;
constexpr int kShiftNudge = 10;

}  // namespace

POINT PhysicalPointer() {
  POINT point{};
  // The physical form reads right for a process that the system scales
  // too; for an aware one both are the same.
  if (!GetPhysicalCursorPos(&point)) GetCursorPos(&point);
  return point;
}

void NudgePointer(int dx, int dy) {
  const POINT point = PhysicalPointer();
  if (!SetPhysicalCursorPos(point.x + dx, point.y + dy)) SetCursorPos(point.x + dx, point.y + dy);
}

ScreenPick::ScreenPick() {
  sampleTimer_.OnTimer = [this] {
    SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    lastSample_ = ScreenColorAt(PhysicalPointer());
    sampled_ = true;
    // Also what changes under a still pointer shows in the loupe.
    FollowPointer();
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
  FollowPointer();
}

void ScreenPick::FollowPointer() { loupe_.Follow(PhysicalPointer()); }

void ScreenPick::End() {
  if (!Picking()) return;
  Stop();
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  const TColor color = sampled_ ? lastSample_ : ScreenColorAt(PhysicalPointer());
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
  loupe_.Close();
  if (button_) RemoveWindowSubclass(button_, ButtonProc, kPickSubclassId);
  button_ = nullptr;
}

bool ScreenPick::HandleKey(WPARAM key) {
  if (key == VK_ESCAPE) {
    Cancel();
    return true;
  }
  const int step = GetKeyState(VK_SHIFT) < 0 ? kShiftNudge : 1;
  switch (key) {
    case VK_LEFT:
      NudgePointer(-step, 0);
      break;
    case VK_RIGHT:
      NudgePointer(step, 0);
      break;
    case VK_UP:
      NudgePointer(0, -step);
      break;
    case VK_DOWN:
      NudgePointer(0, step);
      break;
    default:
      return false;
  }
  // A moved pointer need not send a move of the mouse.
  FollowPointer();
  return true;
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
      RunGuarded([&] { pick->FollowPointer(); });
      break;
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
