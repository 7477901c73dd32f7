#include "color/oklab.h"

#include <cmath>

#include "color/srgb.h"

namespace huemira {

OkLab OkLabOf(TColor color) { return OkLabOfLinear(LinearRgbOf(color)); }

OkLab OkLabOfLinear(const LinearRgb& c) {
  // The matrices as Ottosson published them for linear sRGB.
  const double l = std::cbrt(0.4122214708 * c.r + 0.5363325363 * c.g + 0.0514459929 * c.b);
  const double m = std::cbrt(0.2119034982 * c.r + 0.6806995451 * c.g + 0.1073969566 * c.b);
  const double s = std::cbrt(0.0883024619 * c.r + 0.2817188376 * c.g + 0.6299787005 * c.b);
  return {.l = 0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
          .a = 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
          .b = 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

OkLch OkLchOf(TColor color) {
  constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;
  const OkLab lab = OkLabOf(color);
  double hue = std::atan2(lab.b, lab.a) * kDegreesPerRadian;
  if (hue < 0) hue += 360.0;
  if (hue >= 360.0) hue -= 360.0;  // -0.0 or a hair below 0 became 360
  return {.l = lab.l, .c = std::sqrt(lab.a * lab.a + lab.b * lab.b), .h = hue};
}

}  // namespace huemira
