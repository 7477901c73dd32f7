#include "app/option_backdrop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/image.h"

namespace huemira {

namespace {

struct Rgb {
  double r, g, b;
};

Rgb Mix(const Rgb& under, const Rgb& over, double amount) {
  return {under.r + (over.r - under.r) * amount, under.g + (over.g - under.g) * amount,
          under.b + (over.b - under.b) * amount};
}

// The fully saturated colour of hue h in [0, 1).
Rgb Hue(double h) {
  const double x = h * 6.0;
  const auto ramp = [](double v) { return 255.0 * std::clamp(v, 0.0, 1.0); };
  return {ramp(std::abs(x - 3.0) - 1.0), ramp(2.0 - std::abs(x - 2.0)), ramp(2.0 - std::abs(x - 4.0))};
}

std::uint32_t Opaque(const Rgb& c) {
  const auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 255.0))); };
  return 0xFF000000u | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

}  // namespace

UniqueBitmap DrawOptionBackdrop(int width, int height) {
  std::uint32_t* pixels = nullptr;
  UniqueBitmap bitmap = CreateArgbBitmap(width, height, pixels);
  if (!bitmap) return bitmap;

  const Rgb top{0xF8, 0xFA, 0xFD};
  const Rgb bottom{0xE2, 0xE9, 0xF2};
  const double radius = std::max(8.0, height * 0.16);
  const double cx = width - radius * 1.9;
  const double cy = height * 0.42;
  const struct {
    double x, y;
    Rgb color;
  } lights[] = {{cx, cy - radius * 0.45, {0xFF, 0x58, 0x58}},
                {cx - radius * 0.52, cy + radius * 0.42, {0x80, 0xFF, 0x80}},
                {cx + radius * 0.52, cy + radius * 0.42, {0x00, 0x80, 0xFF}}};
  const int band = std::max(1, height / 80);

  for (int y = 0; y < height; ++y) {
    const Rgb face = Mix(top, bottom, height > 1 ? static_cast<double>(y) / (height - 1) : 0.0);
    for (int x = 0; x < width; ++x) {
      Rgb c = face;
      for (const auto& light : lights) {
        const double distance = std::hypot(x + 0.5 - light.x, y + 0.5 - light.y);
        const double cover = std::clamp(radius - distance + 0.5, 0.0, 1.0);  // antialiased rim
        c = Mix(c, light.color, 0.28 * cover);
      }
      if (y >= height - band) c = Mix(c, Hue(static_cast<double>(x) / width), 0.55);
      pixels[static_cast<std::size_t>(y) * width + x] = Opaque(c);
    }
  }
  return bitmap;
}

}  // namespace huemira
