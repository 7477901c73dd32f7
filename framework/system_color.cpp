#include "framework/system_color.h"

#include <windows.h>

namespace huemira {

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return color;
}

}  // namespace huemira
