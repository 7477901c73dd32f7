#include "framework/check_box.h"

#include "framework/form.h"

namespace huemira {

void CheckBox::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"BUTTON", args.caption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, args.bounds, args.hint});
}

void CheckBox::HandleCommand(WORD notification) {
  if (notification == BN_CLICKED && OnClick) OnClick();
}

}  // namespace huemira
