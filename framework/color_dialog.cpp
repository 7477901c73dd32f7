#include "framework/color_dialog.h"

#include <commdlg.h>

namespace huemira {

bool ExecuteColorDialog(HWND owner, COLORREF& color) {
  static COLORREF customColors[16] = {
      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.rgbResult = color;
  dialog.lpCustColors = customColors;
  dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
  if (!ChooseColorW(&dialog)) return false;
  color = dialog.rgbResult;
  return true;
}

}  // namespace huemira
