#include "framework/input_query.h"

namespace huemira {

InputQueryForm::InputQueryForm(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                               const std::wstring& value)
    : owner_(owner) {
  CreateForm({.className = kClassName, .caption = caption, .clientWidth = 300, .clientHeight = 96,
              .style = WS_CAPTION | WS_SYSMENU, .exStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME},
             false);
  Label_Prompt.Create(*this, {.position = {10, 10}, .caption = prompt});
  Edit_Value.Create(*this, {.bounds = Bounds(10, 30, 280, 22), .text = value});
  Button_Ok.Create(*this, {.bounds = Bounds(134, 62, 75, 25), .caption = L"确定"});
  Button_Ok.OnClick = [this] { SetModalResult(mrOk); };
  Button_Cancel.Create(*this, {.bounds = Bounds(215, 62, 75, 25), .caption = L"取消"});
  Button_Cancel.OnClick = [this] { SetModalResult(mrCancel); };
}

std::optional<std::wstring> InputQueryForm::Run() {
  // Over the middle of the window that asks.
  RECT frame, over;
  GetWindowRect(Handle(), &frame);
  if (owner_ && GetWindowRect(owner_, &over)) {
    const int left = (over.left + over.right - (frame.right - frame.left)) / 2;
    const int top = (over.top + over.bottom - (frame.bottom - frame.top)) / 2;
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    CenterOnScreen();
  }
  OnShow = [this] {
    Edit_Value.SetFocus();
    SendMessageW(Edit_Value.Handle(), EM_SETSEL, 0, -1);
  };
  if (ShowModal() != mrOk) return std::nullopt;
  return Edit_Value.Text();
}

LRESULT InputQueryForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && lParam == 0 && (wParam == IDOK || wParam == IDCANCEL)) {
    SetModalResult(wParam == IDOK ? mrOk : mrCancel);
    return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

std::optional<std::wstring> InputQuery(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                       const std::wstring& value) {
  InputQueryForm form(owner, caption, prompt, value);
  return form.Run();
}

}  // namespace huemira
