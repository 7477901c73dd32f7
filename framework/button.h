// Push button with a caption; reports clicks and the raw press and release
// of the left mouse button (screen picking drags from a press).
#pragma once

#include <functional>

#include "framework/control.h"

namespace huemira {

class Button : public Control {
 public:
  struct Args {
    RECT bounds{};
    std::wstring caption;
    std::wstring hint;
  };
  void Create(Form& parent, const Args& args);

  // What a click by the user does.
  void Click() const { SendMessageW(Handle(), BM_CLICK, 0, 0); }

  std::function<void()> OnClick;
  std::function<void(POINT clientPoint)> OnMouseDown;
  // The release of the left button, or the loss of the mouse capture while
  // it is pressed (another window or the system took the pointer): either
  // ends a press.
  std::function<void(POINT clientPoint)> OnMouseUp;

  void HandleCommand(WORD notification) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool pressed_ = false;
};

}  // namespace huemira
