#include "framework/hints.h"

#include <commctrl.h>

namespace huemira {

namespace {

constexpr UINT_PTR kHintSubclassId = 0x4875;  // apart from the controls' own subclass
// The plain window shows a hint this far below the pointer's hot spot.
constexpr int kBelowPointer = 20;

// By the window's place, not by hit-testing, which passes through
// transparent labels that still show hints.
bool PointerOver(HWND control) {
  POINT point;
  RECT bounds;
  return IsWindowVisible(control) && GetCursorPos(&point) && GetWindowRect(control, &bounds) &&
         PtInRect(&bounds, point);
}

}  // namespace

HintController::HintController() {
  timer_.OnTimer = [this] { TimerFired(); };
}

HintController::~HintController() {
  for (const auto& entry : texts_) RemoveWindowSubclass(entry.first, ControlProc, kHintSubclassId);
}

void HintController::Add(HWND control, const std::wstring& text) {
  texts_[control] = text;
  SetWindowSubclass(control, ControlProc, kHintSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void HintController::SetWindow(std::unique_ptr<HintWindow> window) {
  Cancel();
  window_ = std::move(window);
}

HintWindow& HintController::Window() {
  if (!window_) window_ = std::make_unique<HintWindow>();
  return *window_;
}

void HintController::Cancel() {
  timer_.SetEnabled(false);
  HideHint();
  control_ = nullptr;
  state_ = State::Idle;
}

void HintController::Wait(UINT milliseconds) {
  timer_.SetEnabled(false);
  timer_.SetInterval(milliseconds);
  timer_.SetEnabled(true);
}

void HintController::HideHint() {
  if (window_) window_->ReleaseHint();
}

void HintController::PointerMoved(HWND control) {
  if (control == control_) return;
  const bool quick =
      state_ == State::Showing || (leftShownHint_ && GetTickCount() - leftShownHintAt_ < timing_.pause);
  HideHint();
  control_ = control;
  state_ = State::Waiting;
  leftShownHint_ = false;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control, 0};
  TrackMouseEvent(&track);
  Wait(quick ? timing_.shortPause : timing_.pause);
}

void HintController::PointerLeft(HWND control) {
  if (control != control_) return;
  if (state_ == State::Showing) {
    leftShownHint_ = true;
    leftShownHintAt_ = GetTickCount();
  }
  Cancel();
}

void HintController::Dismiss(HWND control) {
  // A click or a key ends the hint; it comes back only after the pointer
  // has left the window.
  const bool tracked = control == control_;
  Cancel();
  control_ = control;
  state_ = State::Over;
  if (!tracked) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control, 0};
    TrackMouseEvent(&track);
  }
}

void HintController::Forget(HWND control) {
  if (control == control_) Cancel();
  texts_.erase(control);
  RemoveWindowSubclass(control, ControlProc, kHintSubclassId);
}

void HintController::TimerFired() {
  if (state_ == State::Waiting) {
    ShowHint();
  } else {
    timer_.SetEnabled(false);
    HideHint();
    if (state_ == State::Showing) state_ = State::Over;
  }
}

void HintController::ShowHint() {
  timer_.SetEnabled(false);
  state_ = State::Over;
  const auto found = texts_.find(control_);
  if (found == texts_.end() || !PointerOver(control_)) return;
  HintInfo info{control_, {}};
  GetCursorPos(&info.cursor);
  std::wstring text = found->second;
  bool canShow = true;
  if (OnShowHint) OnShowHint(text, canShow, info);
  if (!canShow || text.empty()) return;
  const RECT suggested{info.cursor.x, info.cursor.y + kBelowPointer, info.cursor.x, info.cursor.y + kBelowPointer};
  Window().ActivateHint(suggested, text);
  state_ = State::Showing;
  Wait(timing_.hidePause);
}

LRESULT CALLBACK HintController::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
  auto* self = reinterpret_cast<HintController*>(data);
  switch (message) {
    case WM_MOUSEMOVE:
      self->PointerMoved(window);
      break;
    case WM_MOUSELEAVE:
      self->PointerLeft(window);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      self->Dismiss(window);
      break;
    case WM_NCDESTROY:
      self->Forget(window);
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace huemira
