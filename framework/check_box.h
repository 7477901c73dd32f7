// Check box with a caption beside it.
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

  void HandleCommand(WORD notification) override;
};

}  // namespace huemira
