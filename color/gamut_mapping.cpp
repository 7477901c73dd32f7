#include "color/gamut_mapping.h"

#include <algorithm>
#include <cmath>

#include "color/color_spaces.h"

namespace huemira {
namespace {

constexpr double kJustNoticeable = 0.02;
constexpr double kEpsilon = 0.0001;

bool InGamut(const LinearRgb& c) { return c.r >= 0 && c.r <= 1 && c.g >= 0 && c.g <= 1 && c.b >= 0 && c.b <= 1; }

LinearRgb Clip(const LinearRgb& c) {
  // Clipped in the gamma-encoded space, as CSS clips sRGB; for [0, 1]
  // bounds that is the same as clipping the linear values.
  return {std::clamp(c.r, 0.0, 1.0), std::clamp(c.g, 0.0, 1.0), std::clamp(c.b, 0.0, 1.0)};
}

double DeltaEOk(const OkLab& x, const OkLab& y) { return std::hypot(x.l - y.l, x.a - y.a, x.b - y.b); }

LinearRgb LinearOfLch(const OkLch& lch) { return LinearFromOkLab(OkLabFromOkLch(lch)); }

// CSS Color 4 §13.2.2, step by step; the origin given both ways.
LinearRgb MapLinear(const OkLab& originLab, const LinearRgb& origin) {
  if (originLab.l >= 1) return {1, 1, 1};
  if (originLab.l <= 0) return {0, 0, 0};
  if (InGamut(origin)) return origin;
  constexpr double kDegreesPerRadian = 180 / 3.14159265358979323846;
  OkLch current{originLab.l, std::hypot(originLab.a, originLab.b),
                std::atan2(originLab.b, originLab.a) * kDegreesPerRadian};
  LinearRgb clipped = Clip(origin);
  if (DeltaEOk(OkLabOfLinear(clipped), originLab) < kJustNoticeable) return clipped;
  double min = 0;
  double max = current.c;
  bool minInGamut = true;
  while (max - min > kEpsilon) {
    const double chroma = (min + max) / 2;
    current.c = chroma;
    const LinearRgb candidate = LinearOfLch(current);
    if (minInGamut && InGamut(candidate)) {
      min = chroma;
      continue;
    }
    clipped = Clip(candidate);
    const double e = DeltaEOk(OkLabOfLinear(clipped), OkLabFromOkLch(current));
    if (e < kJustNoticeable) {
      if (kJustNoticeable - e < kEpsilon) return clipped;
      minInGamut = false;
      min = chroma;
    } else {
      max = chroma;
    }
  }
  return clipped;
}

int EightBit(double linear) {
  return static_cast<int>(std::lround(std::clamp(EncodedFromLinear(linear), 0.0, 1.0) * 255));
}

GamutMappedColor MapBoth(const OkLab& lab, const LinearRgb& color) {
  // A source within half an 8-bit step of sRGB (in encoded values) rounds
  // to its own colour: clipped, it is not marked.
  const double halfStep = 0.5 / 255;
  const bool inside = [&] {
    for (const double c : {color.r, color.g, color.b}) {
      const double encoded = EncodedFromLinear(c);
      if (!(encoded >= -halfStep && encoded <= 1 + halfStep)) return false;
    }
    return true;
  }();
  const LinearRgb mapped = inside ? Clip(color) : MapLinear(lab, color);
  return {MakeColor(EightBit(mapped.r), EightBit(mapped.g), EightBit(mapped.b)), !inside};
}

}  // namespace

GamutMappedColor GamutMapToSrgb(const LinearRgb& color) {
  // Readers pass finite values; this keeps a stray infinity from reaching
  // the rounding.
  const auto finite = [](double c) { return std::isfinite(c) ? c : 0.0; };
  const LinearRgb checked{finite(color.r), finite(color.g), finite(color.b)};
  return MapBoth(OkLabOfLinear(checked), checked);
}

GamutMappedColor GamutMapToSrgb(const OkLab& color) {
  if (!std::isfinite(color.l) || !std::isfinite(color.a) || !std::isfinite(color.b)) return {clBlack, true};
  return MapBoth(color, LinearFromOkLab(color));
}

}  // namespace huemira
