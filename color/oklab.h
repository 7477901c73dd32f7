// OKLab and its polar form OKLCH (Björn Ottosson, 2020), for the CSS
// oklch() text.
#pragma once

#include "color/srgb.h"
#include "framework/color.h"

namespace huemira {

struct OkLab {
  double l, a, b;
};

// Lightness 0-1, chroma from 0 (about 0.32 at most in sRGB), hue in
// degrees [0, 360). A grey's chroma is tiny but not always zero, as the
// published matrices are rounded: its hue means nothing.
struct OkLch {
  double l, c, h;
};

OkLab OkLabOf(TColor color);
// Of any linear-light sRGB value, also outside [0, 1] (colours outside sRGB).
OkLab OkLabOfLinear(const LinearRgb& linear);
OkLch OkLchOf(TColor color);

}  // namespace huemira
