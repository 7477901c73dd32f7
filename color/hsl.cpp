#include "color/hsl.h"

#include <algorithm>

namespace huemira {

namespace {

// numerator / denominator rounded half up, both non-negative.
int RoundedQuotient(int numerator, int denominator) { return (2 * numerator + denominator) / (2 * denominator); }

}  // namespace

WholeHsl WholeHslOf(TColor color) {
  const int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  const int max = std::max({red, green, blue});
  const int min = std::min({red, green, blue});
  const int delta = max - min;
  const int sum = max + min;
  // L = (max + min) / 2 / 255; S = delta / (1 - |2L - 1|) / 255, which is
  // delta / sum up to L = 50% and delta / (510 - sum) above.
  WholeHsl hsl{.hue = 0, .saturation = 0, .lightness = RoundedQuotient(100 * sum, 510)};
  if (delta == 0) return hsl;
  hsl.saturation = RoundedQuotient(100 * delta, sum <= 255 ? sum : 510 - sum);
  // Sixty degrees per sixth of the hue circle, counted from the largest
  // component; kept non-negative so that rounding half up is half away
  // from zero.
  int sixtieths;
  if (max == red) sixtieths = 60 * (green - blue) + (green < blue ? 360 * delta : 0);
  else if (max == green) sixtieths = 60 * (blue - red) + 120 * delta;
  else sixtieths = 60 * (red - green) + 240 * delta;
  hsl.hue = RoundedQuotient(sixtieths, delta) % 360;
  return hsl;
}

}  // namespace huemira
