// CIE XYZ and CIELAB (D65) of colour values, for colour differences.
#pragma once

#include "framework/color.h"

namespace huemira {

// The white point is the sRGB matrix applied to white (0.9505, 1, 1.089),
// so that white is exactly L* 100 and greys have no colour.
inline constexpr double kWhiteX = 0.4124 + 0.3576 + 0.1805;
inline constexpr double kWhiteZ = 0.0193 + 0.1192 + 0.9505;

struct CieXyz {
  double x, y, z;
};

struct CieLab {
  double l, a, b;
};

// The sRGB matrix of IEC 61966-2-1; Y is RelativeLuminance bit for bit, so
// L* is a function of the WCAG luminance alone.
CieXyz CieXyzOf(TColor color);

// f(t) of the CIELAB formulas, t being a tristimulus value divided by the
// white's. Non-decreasing, as bounds over ranges of colours rely on.
double CieLabF(double t);

// L* = 116 f(Y) - 16.
inline double CieLightnessOfF(double fy) { return 116.0 * fy - 16.0; }

CieLab CieLabOf(TColor color);

}  // namespace huemira
