// The sRGB transfer function (IEC 61966-2-1): the linear light behind each
// 8-bit component of a colour value.
#pragma once

#include "framework/color.h"

namespace huemira {

// An encoded component in [0, 1] to linear light in [0, 1].
double SrgbToLinear(double encoded);

// Linear light of an 8-bit component (0-255), from a table made once with
// SrgbToLinear. Luminance, CIELAB, OKLab and the nearest-colour search all
// read this table, so one colour gives bit-identical values everywhere.
double LinearOfComponent(int component);

struct LinearRgb {
  double r, g, b;
};

// Bits above the 24 colour bits are ignored.
LinearRgb LinearRgbOf(TColor color);

}  // namespace huemira
