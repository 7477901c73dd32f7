#include "color/gamut_mapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "color/color_spaces.h"

namespace huemira {
namespace {

OkLab OkLabOfLch(double l, double c, double h) { return OkLabFromOkLch({l, c, h}); }

bool InSrgb(const LinearRgb& c) { return std::min({c.r, c.g, c.b}) >= 0 && std::max({c.r, c.g, c.b}) <= 1; }

TColor EightBitOf(const LinearRgb& c) {
  const auto component = [](double v) {
    return static_cast<int>(std::lround(std::clamp(EncodedFromLinear(v), 0.0, 1.0) * 255));
  };
  return MakeColor(component(c.r), component(c.g), component(c.b));
}

TEST(GamutMapping, ColoursInsideSrgbComeOutUnchangedAndUnmarked) {
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    const TColor color = random() & 0xFFFFFF;
    const GamutMappedColor fromLinear = GamutMapToSrgb(LinearRgbOf(color));
    EXPECT_EQ(fromLinear.color, color);
    EXPECT_FALSE(fromLinear.mapped);
    const GamutMappedColor fromOkLab = GamutMapToSrgb(OkLabOf(color));
    EXPECT_EQ(fromOkLab.color, color);
    EXPECT_FALSE(fromOkLab.mapped);
  }
}

TEST(GamutMapping, LightnessAtOrPastTheEndsGivesWhiteOrBlack) {
  EXPECT_EQ(GamutMapToSrgb(OkLabOfLch(1.0, 0.2, 30)).color, clWhite);
  EXPECT_EQ(GamutMapToSrgb(OkLabOfLch(1.3, 0.2, 30)).color, clWhite);
  EXPECT_EQ(GamutMapToSrgb(OkLabOfLch(0.0, 0.3, 250)).color, clBlack);
  EXPECT_TRUE(GamutMapToSrgb(OkLabOfLch(0.0, 0.3, 250)).mapped);
}

// oklch(0.9 0.3 140) lies far outside sRGB. The binary search lowers the
// chroma at the source's lightness and hue only until clipping changes the
// colour by less than 0.02 ΔEOK: the answer is such a clipped colour, near a
// point of the chroma line at or past the exact edge of sRGB, and neither
// what clipping the source gives nor the exact edge.
TEST(GamutMapping, ReducesChromaUntilClippingIsNoLongerNoticeable) {
  for (const double hue : {140.0, 30.0, 264.0, 200.0}) {
    SCOPED_TRACE(hue);
    const OkLab origin = OkLabOfLch(0.9, 0.3, hue);
    const GamutMappedColor result = GamutMapToSrgb(origin);
    EXPECT_TRUE(result.mapped);
    EXPECT_NE(result.color, EightBitOf(LinearFromOkLab(origin)));

    double inside = 0, outside = 0.3;
    while (outside - inside > 1e-7) {
      const double middle = (inside + outside) / 2;
      (InSrgb(LinearFromOkLab(OkLabOfLch(0.9, middle, hue))) ? inside : outside) = middle;
    }
    const double edge = inside;
    EXPECT_NE(result.color, EightBitOf(LinearFromOkLab(OkLabOfLch(0.9, edge, hue))));

    // The nearest point of the chroma line: within the noticeable
    // difference (plus the 8-bit rounding), at or past the edge.
    const OkLab got = OkLabOf(result.color);
    const double dirA = std::cos(hue * 3.14159265358979323846 / 180);
    const double dirB = std::sin(hue * 3.14159265358979323846 / 180);
    const double along = got.a * dirA + got.b * dirB;
    const double across = -got.a * dirB + got.b * dirA;
    EXPECT_LT(std::hypot(got.l - 0.9, across), 0.02 + 0.004);
    EXPECT_GT(along, edge - 0.004);
    EXPECT_LT(along, 0.3);
  }
  EXPECT_EQ(GamutMapToSrgb(OkLabOfLch(0.9, 0.3, 140)).color, MakeColor(0x62, 0xFF, 0x30));
}

TEST(GamutMapping, ASourceJustPastTheEdgeIsClippedAndMarked) {
  // Within the noticeable difference: clipping alone, as the first step of
  // the algorithm returns it.
  const GamutMappedColor result = GamutMapToSrgb(LinearRgb{1.02, 0.5, -0.01});
  EXPECT_TRUE(result.mapped);
  EXPECT_EQ(result.color, EightBitOf({1.0, 0.5, 0.0}));
  // Past the edge by less than half an 8-bit step: the source's own colour.
  EXPECT_FALSE(GamutMapToSrgb(LinearRgb{1.0005, 0.5, 0.0}).mapped);
}

}  // namespace
}  // namespace huemira
