#include "color/css_color_text.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

struct CssExample {
  TColor color;
  const wchar_t* rgb;
  const wchar_t* hsl;
  const wchar_t* oklch;
};

// OKLCH values checked against culori 4.0.2, HSL against exact fractions.
const CssExample kExamples[] = {
    {MakeColor(0x12, 0xAB, 0x34), L"rgb(18, 171, 52)", L"hsl(133, 81%, 37%)", L"oklch(0.646 0.197 145.2)"},
    // Greys: hue 0 and none.
    {MakeColor(0, 0, 0), L"rgb(0, 0, 0)", L"hsl(0, 0%, 0%)", L"oklch(0.000 0.000 none)"},
    {MakeColor(255, 255, 255), L"rgb(255, 255, 255)", L"hsl(0, 0%, 100%)", L"oklch(1.000 0.000 none)"},
    {MakeColor(128, 128, 128), L"rgb(128, 128, 128)", L"hsl(0, 0%, 50%)", L"oklch(0.600 0.000 none)"},
    {MakeColor(0x77, 0x77, 0x77), L"rgb(119, 119, 119)", L"hsl(0, 0%, 47%)", L"oklch(0.569 0.000 none)"},
    // Primaries and secondaries.
    {MakeColor(255, 0, 0), L"rgb(255, 0, 0)", L"hsl(0, 100%, 50%)", L"oklch(0.628 0.258 29.2)"},
    {MakeColor(0, 255, 0), L"rgb(0, 255, 0)", L"hsl(120, 100%, 50%)", L"oklch(0.866 0.295 142.5)"},
    {MakeColor(0, 0, 255), L"rgb(0, 0, 255)", L"hsl(240, 100%, 50%)", L"oklch(0.452 0.313 264.1)"},
    {MakeColor(255, 255, 0), L"rgb(255, 255, 0)", L"hsl(60, 100%, 50%)", L"oklch(0.968 0.211 109.8)"},
    {MakeColor(0, 255, 255), L"rgb(0, 255, 255)", L"hsl(180, 100%, 50%)", L"oklch(0.905 0.155 194.8)"},
    {MakeColor(255, 0, 255), L"rgb(255, 0, 255)", L"hsl(300, 100%, 50%)", L"oklch(0.702 0.322 328.4)"},
    // Exact halves round up: saturation 12.5% below and above L 50%, hue
    // 7.5 and 352.5 degrees, saturation 87.5% (floating point gives
    // 87.49999...).
    {MakeColor(9, 7, 7), L"rgb(9, 7, 7)", L"hsl(0, 13%, 3%)", nullptr},
    {MakeColor(248, 246, 246), L"rgb(248, 246, 246)", L"hsl(0, 13%, 97%)", nullptr},
    {MakeColor(10, 3, 2), L"rgb(10, 3, 2)", L"hsl(8, 67%, 2%)", nullptr},
    {MakeColor(10, 2, 3), L"rgb(10, 2, 3)", L"hsl(353, 67%, 2%)", nullptr},
    {MakeColor(0x07, 0x4D, 0x69), L"rgb(7, 77, 105)", L"hsl(197, 88%, 22%)", nullptr},
    // A hue of 359.76 degrees rounds to 360, written 0.
    {MakeColor(255, 0, 1), L"rgb(255, 0, 1)", L"hsl(0, 100%, 50%)", nullptr},
};

TEST(CssColorText, RgbHslAndOklchOfTheTable) {
  for (const CssExample& example : kExamples) {
    SCOPED_TRACE(example.rgb);
    EXPECT_EQ(CssRgbText(example.color), example.rgb);
    EXPECT_EQ(CssHslText(example.color), example.hsl);
    if (example.oklch) {
      EXPECT_EQ(CssOklchText(example.color), example.oklch);
    }
  }
}

TEST(CssColorText, HexFollowsTheCodeBoxCase) {
  EXPECT_EQ(CssHexText(MakeColor(0x12, 0xAB, 0x34), HexLetterCase::Lower), L"#12ab34");
  EXPECT_EQ(CssHexText(MakeColor(0x12, 0xAB, 0x34), HexLetterCase::Upper), L"#12AB34");
  EXPECT_EQ(CssHexText(MakeColor(0, 0, 0), HexLetterCase::Upper), L"#000000");
  EXPECT_EQ(CssHexText(MakeColor(0xFF, 0xFF, 0xFF), HexLetterCase::Lower), L"#ffffff");
}

TEST(CssColorText, OklchHueIsNoneForGreysOnly) {
  // The published matrices leave greys a chroma of about 1e-8, and their
  // atan2 a meaningless hue near 90 degrees.
  for (int level = 0; level < 256; ++level) {
    const std::wstring text = CssOklchText(MakeColor(level, level, level));
    EXPECT_EQ(text.substr(text.size() - 12), L" 0.000 none)") << level;
  }
  // One step off grey already shows a chroma and so a hue.
  EXPECT_EQ(CssOklchText(MakeColor(0x80, 0x80, 0x81)), L"oklch(0.600 0.001 286.4)");
  EXPECT_EQ(CssOklchText(MakeColor(0xFF, 0xFF, 0xFE)), L"oklch(1.000 0.001 106.4)");
  EXPECT_EQ(CssOklchText(MakeColor(0, 0, 1)), L"oklch(0.030 0.021 264.1)");
}

}  // namespace
}  // namespace huemira
