#include "widgets/flat_button.h"

#include <windowsx.h>

#include <memory>

#include "framework/canvas.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "framework/timer.h"

namespace huemira {

namespace {

constexpr wchar_t kFlatButtonClass[] = L"HuemiraFlatButton";

// One timer for all buttons: it follows the button the pointer is over and
// notices within 100 ms when the pointer has left it.
struct HoverTracking {
  std::unique_ptr<Timer> timer;
  TFlatButton* tracked = nullptr;
  int buttons = 0;
};

HoverTracking& Hover() {
  static HoverTracking hover;
  return hover;
}

void StopTracking(const TFlatButton* button) {
  if (Hover().tracked != button) return;
  Hover().timer->SetEnabled(false);
  Hover().tracked = nullptr;
}

// The control at a screen point, disabled controls included.
HWND ControlAtScreenPoint(POINT point) {
  HWND window = WindowFromPoint(point);
  if (!window) return nullptr;
  POINT client = point;
  ScreenToClient(window, &client);
  HWND child = ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  return child ? child : window;
}

// Top and left edges in the first colour, bottom and right in the second,
// each line pixels wide.
void Frame(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight, int line) {
  FillSolid(dc, RECT{r.left, r.top, r.right, r.top + line}, topLeft);
  FillSolid(dc, RECT{r.left, r.top, r.left + line, r.bottom}, topLeft);
  FillSolid(dc, RECT{r.left, r.bottom - line, r.right, r.bottom}, bottomRight);
  FillSolid(dc, RECT{r.right - line, r.top, r.right, r.bottom}, bottomRight);
}

}  // namespace

TFlatButton::TFlatButton() {
  if (Hover().buttons++ == 0) {
    Hover().timer = std::make_unique<Timer>(100);
    Hover().timer->OnTimer = [] {
      TFlatButton* tracked = Hover().tracked;
      if (tracked && !tracked->UnderPointer()) tracked->LeaveStep();
    };
  }
}

TFlatButton::~TFlatButton() {
  StopTracking(this);
  if (--Hover().buttons == 0) Hover().timer.reset();
}

TFlatButton* TFlatButton::Tracked() { return Hover().tracked; }

void TFlatButton::Create(Form& parent, const Args& args) {
  RegisterOwnClass(kFlatButtonClass, CS_DBLCLKS);
  caption_ = args.caption;
  color_ = args.color;
  CreateControl(parent, {kFlatButtonClass, args.caption, 0, 0, args.bounds, args.hint});
}

void TFlatButton::SetAndRepaint(COLORREF& property, COLORREF value) {
  if (property == value) return;
  property = value;
  Invalidate();
}

void TFlatButton::SetState(State state) {
  if (state_ == state) return;
  state_ = state;
  Invalidate();
}

bool TFlatButton::Inside(POINT clientPoint) const {
  RECT area;
  GetClientRect(Handle(), &area);
  return PtInRect(&area, clientPoint) != FALSE;
}

bool TFlatButton::UnderPointer() const {
  POINT point;
  return GetCursorPos(&point) && ControlAtScreenPoint(point) == Handle();
}

void TFlatButton::Click() {
  if (ModalResult != 0) Owner().SetModalResult(ModalResult);
  if (OnClick) OnClick();
}

void TFlatButton::MouseDown() {
  if (!IsWindowEnabled(Handle())) return;
  SetState(State::Down);
  pressing_ = true;
  SetFocus();
  SetCapture(Handle());
}

void TFlatButton::MouseMove() {
  TrackHover();
  if (!pressing_) return;
  POINT point;
  GetCursorPos(&point);
  ScreenToClient(Handle(), &point);
  SetState(Inside(point) ? State::Down : State::Up);
}

void TFlatButton::MouseUp(POINT clientPoint) {
  if (!pressing_) return;
  pressing_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  const bool inside = Inside(clientPoint);
  state_ = State::Up;
  mouseIn_ = false;
  if (inside) Invalidate();
  if (inside) {
    Click();
  } else {
    LeaveStep();
  }
  if (!IsWindowEnabled(Handle())) return;
  // Whatever happened meanwhile, the hover look ends up matching the pointer.
  if (UnderPointer()) {
    mouseIn_ = false;
    EnterStep();
  } else {
    mouseIn_ = true;
    LeaveStep();
  }
}

void TFlatButton::TrackHover() {
  if (Hover().tracked == this || !UnderPointer()) return;
  if (Hover().tracked) Hover().tracked->LeaveStep();
  if (!GetActiveWindow()) return;
  Hover().timer->SetEnabled(false);
  Hover().tracked = this;
  Hover().timer->SetEnabled(true);
  EnterStep();
}

void TFlatButton::EnterStep() {
  if (!IsWindowEnabled(Handle()) || mouseIn_) return;
  mouseIn_ = true;
  Invalidate();
}

void TFlatButton::LeaveStep() {
  // While the mouse button is held, leaving waits for a later tick.
  if (!IsWindowEnabled(Handle()) || !mouseIn_ || pressing_) return;
  mouseIn_ = false;
  StopTracking(this);
  Invalidate();
}

void TFlatButton::Paint(HDC target) {
  RECT area;
  GetClientRect(Handle(), &area);
  // Drawn off screen and copied in one step, so the button never flickers.
  const UniqueMemoryDc dc(CreateCompatibleDC(target));
  const UniqueBitmap bitmap(CreateCompatibleBitmap(target, area.right, area.bottom));
  const SelectedObject selectedBitmap(dc.get(), bitmap.get());
  const SelectedObject selectedFont(dc.get(), Font());

  COLORREF face = color_;
  if (state_ == State::Up && mouseIn_) face = colorFocused_;
  if (state_ == State::Down) face = colorDown_;
  FillSolid(dc.get(), area, face);

  // The frame and the pressed text's shift: one pixel at 96 dpi.
  const int line = Owner().Scale(1);
  if (state_ == State::Down) {
    Frame(dc.get(), area, colorShadow_, colorHighLight_, line);
  } else if (state_ == State::Up && mouseIn_) {
    Frame(dc.get(), area, colorHighLight_, colorShadow_, line);
  } else {
    Frame(dc.get(), area, colorBorder_, colorBorder_, line);
  }

  if (!caption_.empty()) {
    RECT text = area;
    if (state_ == State::Down) OffsetRect(&text, line, line);
    SetBkMode(dc.get(), TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (state_ == State::Disabled) {
      RECT raised = text;
      OffsetRect(&raised, line, line);
      SetTextColor(dc.get(), GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextW(dc.get(), caption_.c_str(), -1, &raised, format);
      SetTextColor(dc.get(), GetSysColor(COLOR_BTNSHADOW));
    } else {
      SetTextColor(dc.get(), GetSysColor(COLOR_WINDOWTEXT));
    }
    DrawTextW(dc.get(), caption_.c_str(), -1, &text, format);
  }
  BitBlt(target, 0, 0, area.right, area.bottom, dc.get(), 0, 0, SRCCOPY);
}

LRESULT TFlatButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const PaintDc paint(Handle());
      Paint(paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a double click gives two clicks
      MouseDown();
      return 0;
    case WM_MOUSEMOVE:
      MouseMove();
      return 0;
    case WM_LBUTTONUP:
      MouseUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CAPTURECHANGED:
      // Capture taken away mid-press (another window, a menu): no click.
      if (pressing_ && reinterpret_cast<HWND>(lParam) != Handle()) {
        pressing_ = false;
        SetState(State::Up);
        LeaveStep();
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) SetState(State::Down);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) {
        SetState(State::Up);
        Click();
      }
      return 0;
    case WM_SETFOCUS:
      if (IsWindowEnabled(Handle())) {
        mouseIn_ = true;
        Invalidate();
      }
      return 0;
    case WM_KILLFOCUS:
      LeaveStep();
      return 0;
    case WM_ENABLE:
      if (!wParam) {
        mouseIn_ = false;
        pressing_ = false;
        StopTracking(this);
        SetState(State::Disabled);
      } else {
        SetState(State::Up);
      }
      Invalidate();
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
