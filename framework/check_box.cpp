#include "framework/check_box.h"

#include "framework/form.h"

namespace huemira {

void CheckBox::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"BUTTON", args.caption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, args.bounds, args.hint});
}

void CheckBox::HandleCommand(WORD notification) {
  if (notification == BN_CLICKED && OnClick) OnClick();
}

HBRUSH CheckBox::HandleColor(HDC dc) {
  if (!backdrop_) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  // The pattern starts at the picture's corner, seen from the check box.
  POINT corner{0, 0};
  MapWindowPoints(pictureWindow_, Handle(), &corner, 1);
  SetBrushOrgEx(dc, corner.x, corner.y, nullptr);
  return backdrop_;
}

}  // namespace huemira
