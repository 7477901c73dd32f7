// A check box, optionally over a picture: a system check box paints its
// whole rectangle, so it is given the picture beneath it to paint with.
#pragma once

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
  void SetChecked(bool checked) const {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  // The picture's pattern brush (not owned) and the window that shows the
  // picture at its top left corner.
  void SetBackdrop(HBRUSH pattern, HWND pictureWindow) {
    backdrop_ = pattern;
    pictureWindow_ = pictureWindow;
  }

  HBRUSH HandleColor(HDC dc) override;

 private:
  HBRUSH backdrop_ = nullptr;
  HWND pictureWindow_ = nullptr;
};

}  // namespace huemira
