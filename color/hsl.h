// HSL of a colour value in whole units, as CSS hsl() shows it.
#pragma once

#include "framework/color.h"

namespace huemira {

struct WholeHsl {
  int hue;         // degrees, 0-359; 0 for greys
  int saturation;  // percent, 0-100
  int lightness;   // percent, 0-100
};

// Each value is rounded half away from zero from its exact fraction of
// integers: hsl(0, 13%, 3%) for #090707, whose saturation is exactly 12.5%,
// where floating point could give 12.4999 and 12. A hue that rounds to 360
// is 0.
WholeHsl WholeHslOf(TColor color);

}  // namespace huemira
