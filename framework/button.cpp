#include "framework/button.h"

#include <windowsx.h>

#include "framework/form.h"

namespace huemira {

void Button::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"BUTTON", args.caption, BS_PUSHBUTTON | WS_TABSTOP, 0, args.bounds, args.hint});
}

void Button::HandleCommand(WORD notification) {
  if (notification == BN_CLICKED && OnClick) OnClick();
}

LRESULT Button::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    pressed_ = true;
    if (OnMouseDown) OnMouseDown(point);
    return result;
  }
  if (message == WM_LBUTTONUP) {
    // Cleared first: the release gives the capture back, and that loss of
    // capture is not a second end of the press.
    pressed_ = false;
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    if (OnMouseUp) OnMouseUp(point);
    return result;
  }
  if (message == WM_CAPTURECHANGED && pressed_ && reinterpret_cast<HWND>(lParam) != Handle()) {
    pressed_ = false;
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(Handle(), &pointer);
    if (OnMouseUp) OnMouseUp(pointer);
    return result;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
