// OKLab and its polar form OKLCH (Björn Ottosson, 2020), for the CSS
// oklch() text.
#pragma once

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
OkLch OkLchOf(TColor color);

}  // namespace huemira
