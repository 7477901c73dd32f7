#include "framework/color.h"

namespace huemira {

TColor MakeColor(int red, int green, int blue) {
  return (static_cast<TColor>(blue & 0xFF) << 16) | (static_cast<TColor>(green & 0xFF) << 8) |
         static_cast<TColor>(red & 0xFF);
}

}  // namespace huemira
