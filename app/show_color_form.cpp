#include "app/show_color_form.h"

namespace huemira {

namespace {
constexpr wchar_t kShowColorFormClass[] = L"HuemiraShowColorForm";
constexpr int kOuterWidth = 374;
constexpr int kOuterHeight = 265;
}  // namespace

void TForm_ShowColor::Create() {
  CreateForm({.className = kShowColorFormClass,
              .caption = L"Huemira-当前选择颜色",
              .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX,
              .exStyle = WS_EX_TOPMOST,
              .outerWidth = kOuterWidth,
              .outerHeight = kOuterHeight},
             false);
  OnDblClick = [this] { Close(); };
  OnShow = [this] {
    RECT frame;
    GetWindowRect(Handle(), &frame);
    SetWindowPos(Handle(), HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
  };
}

void TForm_ShowColor::ShowColor(TColor color, const std::wstring& code) {
  SetText(L"Huemira-当前选择颜色:" + code);
  color_ = color;
  SetBackgroundColor(color);
  ShowModal();
}

LRESULT TForm_ShowColor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;  // no controls to move between: the keys are the window's
    case WM_KEYDOWN:
      // A view with nothing to confirm: Esc closes it, as a double click does.
      if (wParam == VK_ESCAPE) {
        Close();
        return 0;
      }
      break;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace huemira
