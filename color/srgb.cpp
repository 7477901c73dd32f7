#include "color/srgb.h"

#include <array>
#include <cmath>

namespace huemira {

double SrgbToLinear(double encoded) {
  // 0.04045 is the break point of IEC 61966-2-1, which WCAG 2.2 also uses
  // (older WCAG texts said 0.03928; no 8-bit value lies between the two).
  return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double LinearOfComponent(int component) {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> values{};
    for (int i = 0; i < 256; ++i) values[static_cast<std::size_t>(i)] = SrgbToLinear(i / 255.0);
    return values;
  }();
  return table[static_cast<std::size_t>(component & 0xFF)];
}

LinearRgb LinearRgbOf(TColor color) {
  return {LinearOfComponent(RedOf(color)), LinearOfComponent(GreenOf(color)), LinearOfComponent(BlueOf(color))};
}

}  // namespace huemira
