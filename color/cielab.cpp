#include "color/cielab.h"

#include <cmath>

#include "color/contrast.h"
#include "color/srgb.h"

namespace huemira {

CieXyz CieXyzOf(TColor color) {
  const LinearRgb linear = LinearRgbOf(color);
  return {.x = 0.4124 * linear.r + 0.3576 * linear.g + 0.1805 * linear.b,
          .y = RelativeLuminance(color),
          .z = 0.0193 * linear.r + 0.1192 * linear.g + 0.9505 * linear.b};
}

double CieLabF(double t) {
  // The CIE's exact rational constants: (6/29)^3 and (29/3)^3 / 116, which
  // join the two pieces without a step.
  constexpr double kEpsilon = 216.0 / 24389.0;
  constexpr double kKappaOver116 = 24389.0 / 27.0 / 116.0;
  return t > kEpsilon ? std::cbrt(t) : kKappaOver116 * t + 16.0 / 116.0;
}

CieLab CieLabOf(TColor color) {
  const CieXyz xyz = CieXyzOf(color);
  const double fx = CieLabF(xyz.x / kWhiteX);
  const double fy = CieLabF(xyz.y);
  const double fz = CieLabF(xyz.z / kWhiteZ);
  return {.l = CieLightnessOfF(fy), .a = 500.0 * (fx - fy), .b = 200.0 * (fy - fz)};
}

}  // namespace huemira
