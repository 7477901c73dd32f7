#include "framework/panel.h"

#include <windowsx.h>

#include "framework/canvas.h"
#include "framework/form.h"
#include "framework/handles.h"

namespace huemira {

namespace {
constexpr wchar_t kPanelClass[] = L"HuemiraPanel";
}

void Panel::Create(Form& parent, const Args& args) {
  RegisterOwnClass(kPanelClass, CS_DBLCLKS);
  color_ = args.color;
  bevel_ = args.bevel;
  caption_ = args.caption;
  CreateControl(parent, {kPanelClass, L"", 0, 0, args.bounds, args.hint});
}

void Panel::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
  if (OnChange) OnChange();
}

void Panel::Paint() {
  const PaintDc paint(Handle());
  const HDC dc = paint.get();
  RECT area;
  GetClientRect(Handle(), &area);
  FillSolid(dc, area, color_);
  if (bevel_ == Bevel::LoweredInner) DrawEdge(dc, &area, BDR_SUNKENINNER, BF_RECT);
  if (bevel_ == Bevel::RaisedInner) DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
  if (bevel_ == Bevel::RaisedOuterLoweredInner) DrawEdge(dc, &area, BDR_RAISEDOUTER | BDR_SUNKENINNER, BF_RECT);
  if (!caption_.empty()) {
    const SelectedObject font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption_.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONUP:
      if (OnClick) OnClick();
      return 0;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick();
      return 0;
    case WM_CONTEXTMENU:
      if (OnContextMenu) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (point.x == -1 && point.y == -1) {  // from the keyboard: below the panel's corner
          point = POINT{0, 0};
          ClientToScreen(Handle(), &point);
        }
        OnContextMenu(point);
        return 0;
      }
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
