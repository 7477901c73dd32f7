// Check box with a caption beside it, optionally over a picture: a system
// check box paints its whole rectangle, so it is then given the picture
// beneath it to paint with.
#pragma once

#include <functional>
#include <string>

#include "framework/control.h"

namespace huemira {

class CheckBox : public Control {
 public:
  struct Args {
    RECT bounds{};
    std::wstring caption;
    std::wstring hint;
  };
  void Create(Form& parent, const Args& args);

  bool Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // Raises no OnClick: a change by the program.
  void SetChecked(bool checked) const {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  // What a click by the user does: the mark changes, then OnClick.
  void Click() const { SendMessageW(Handle(), BM_CLICK, 0, 0); }

  std::function<void()> OnClick;

  // The picture's pattern brush (not owned) and the window that shows the
  // picture at its top left corner.
  void SetBackdrop(HBRUSH pattern, HWND pictureWindow) {
    backdrop_ = pattern;
    pictureWindow_ = pictureWindow;
  }

  void HandleCommand(WORD notification) override;
  HBRUSH HandleColor(HDC dc) override;

 private:
  HBRUSH backdrop_ = nullptr;
  HWND pictureWindow_ = nullptr;
};

}  // namespace huemira
