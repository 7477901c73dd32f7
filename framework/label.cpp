#include "framework/label.h"

#include "framework/fonts.h"
#include "framework/form.h"

namespace huemira {

void Label::Create(Form& parent, const Args& args) { CreateLabel(parent, args, 0); }

void Label::CreateLabel(Form& parent, const Args& args, DWORD style) {
  color_ = args.color;
  // WS_EX_TRANSPARENT: painted after the siblings beneath it (a background
  // picture), which the label then does not erase.
  CreateControl(parent, {L"STATIC", args.caption, SS_LEFT | SS_NOPREFIX | style, WS_EX_TRANSPARENT,
                         Bounds(args.position.x, args.position.y, 0, 0), args.hint});
  if (args.font) SetFont(args.font);
  FitToCaption();
}

void Label::RescaleForDpi() {
  Control::RescaleForDpi();
  FitToCaption();
}

void Label::FitToCaption() {
  const std::wstring caption = Caption();
  const WindowDc dc(Handle());
  const SelectedObject font(dc.get(), Font());
  RECT text{};
  DrawTextW(dc.get(), caption.c_str(), -1, &text, DT_CALCRECT | DT_NOPREFIX);
  SetWindowPos(Handle(), nullptr, 0, 0, text.right, text.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::RepaintArea() const {
  HWND parent = GetParent(Handle());
  RECT area;
  GetWindowRect(Handle(), &area);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
  RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Label::SetCaption(const std::wstring& caption) {
  if (caption == Caption()) return;
  RepaintArea();
  SetWindowTextW(Handle(), caption.c_str());
  FitToCaption();
  RepaintArea();
}

void Label::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  RepaintArea();
}

HBRUSH Label::HandleColor(HDC dc) {
  SetTextColor(dc, color_);
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void LinkLabel::Create(Form& parent, const Args& args) {
  Args link = args;
  // The usual link blue; the system's hot-tracking colour is a pale grey
  // in some colour schemes.
  link.color = RGB(0x00, 0x66, 0xCC);
  if (args.font) {
    underlined_ = DeriveFont(args.font, {.underline = true});
    link.font = underlined_.get();
  } else {
    link.font = parent.ScaledFont({.underline = true});
  }
  // SS_NOTIFY: a click reaches the form as STN_CLICKED.
  CreateLabel(parent, link, SS_NOTIFY);
}

void LinkLabel::HandleCommand(WORD notification) {
  if (notification == STN_CLICKED && OnClick) OnClick();
}

LRESULT LinkLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return Label::HandleMessage(message, wParam, lParam);
}

}  // namespace huemira
