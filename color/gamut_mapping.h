// Colours outside sRGB brought into it by CSS Color 4's gamut mapping
// (§13.2, "binary search gamut mapping with local MINDE"): lightness and
// hue kept, chroma lowered in OKLCH by a binary search until clipping the
// colour changes it by less than a just-noticeable difference (0.02 in
// ΔEOK). Not plain clipping, and not a search for the exact gamut edge:
// the answer may lie just outside the edge, clipped.
#pragma once

#include "color/oklab.h"
#include "color/srgb.h"
#include "framework/color.h"

namespace huemira {

struct GamutMappedColor {
  TColor color;
  // The source lay outside sRGB by more than the rounding to 8 bits hides
  // (half a step of 255), so the colour shown is not the source's own.
  bool mapped;
};

// Of a linear-light sRGB value; components outside [0, 1] are colours
// outside sRGB. Each component is rounded to 8 bits last.
GamutMappedColor GamutMapToSrgb(const LinearRgb& color);
// Of an OKLab value, for sources given in OKLab or OKLCH: their lightness
// decides the white and black ends exactly.
GamutMappedColor GamutMapToSrgb(const OkLab& color);

}  // namespace huemira
