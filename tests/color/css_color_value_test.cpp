#include "color/css_color_value.h"

#include <gtest/gtest.h>

#include "color/css_named_colors.h"

namespace huemira {
namespace {

struct ValueExample {
  const char* text;
  TColor color;
  bool mapped;
};

const ValueExample kValues[] = {
    {"#12ab34", MakeColor(0x12, 0xAB, 0x34), false},
    {"#12AB3480", MakeColor(0x12, 0xAB, 0x34), false},
    {"#fa3", MakeColor(0xFF, 0xAA, 0x33), false},
    {"#fa37", MakeColor(0xFF, 0xAA, 0x33), false},
    {"rgb(18, 171, 52)", MakeColor(18, 171, 52), false},
    {"rgba(18,171,52,0.5)", MakeColor(18, 171, 52), false},
    {"RGB(18 171 52 / 50%)", MakeColor(18, 171, 52), false},
    {"rgb(100% 50% none)", MakeColor(255, 128, 0), false},
    {"rgb(300 -5 0)", MakeColor(255, 0, 0), false},
    {"hsl(120, 100%, 25%)", MakeColor(0, 128, 0), false},
    {"hsla(0.5turn 100% 50% / .3)", MakeColor(0, 255, 255), false},
    {"hsl(240deg 100 50)", MakeColor(0, 0, 255), false},
    {"hwb(120 20% 30%)", MakeColor(51, 179, 51), false},
    {"hwb(0 60% 60%)", MakeColor(128, 128, 128), false},
    // Values of sRGB colours in the other spaces (checked against culori and
// color.js).
    {"oklch(0.646 0.197 145.2)", MakeColor(0x12, 0xAB, 0x34), false},
    {"oklch(64.6% 0.197 145.2deg)", MakeColor(0x12, 0xAB, 0x34), false},
    {"lab(54.29 80.82 69.91)", MakeColor(255, 0, 0), false},
    {"lch(54.29 106.84 40.85)", MakeColor(255, 0, 0), false},
    {"oklab(0.628 0.2249 0.1258)", MakeColor(255, 0, 0), false},
    {"color(srgb 1 0.5 0)", MakeColor(255, 128, 0), false},
    {"color(srgb-linear 0.2 0.5 1)", MakeColor(124, 188, 255), false},
    {"color(display-p3 0.4 0.4 0.4)", MakeColor(102, 102, 102), false},
    {"color(a98-rgb 0.297 0.479 0.725)", MakeColor(0x24, 0x7B, 0xBC), false},
    {"color(prophoto-rgb 0.466 0.221 0.548)", MakeColor(0xA2, 0x29, 0xA6), false},
    {"color(rec2020 0.347 0.133 0.110)", MakeColor(0x7D, 0x25, 0x29), false},
    {"color(xyz-d65 0.9505 1 1.089)", MakeColor(255, 255, 255), false},
    {"color(xyz-d50 0.9642 1 0.8251)", MakeColor(255, 255, 255), false},
    {"RebeccaPurple", MakeColor(0x66, 0x33, 0x99), false},
    // Outside sRGB: gamut mapped and marked.
    {"oklch(0.9 0.3 140)", MakeColor(0x62, 0xFF, 0x30), true},
    {"color(display-p3 1 0 0)", MakeColor(0xFF, 0x0B, 0x0C), true},
    {"oklch(120% 0.1 30)", clWhite, true},
};

TEST(CssColorValue, ReadsEachSyntax) {
  for (const ValueExample& example : kValues) {
    SCOPED_TRACE(example.text);
    EXPECT_TRUE(StartsAsCssColor(example.text));
    const std::optional<GamutMappedColor> color = ParseCssColor(example.text);
    ASSERT_TRUE(color.has_value());
    EXPECT_EQ(color->color, example.color);
    EXPECT_EQ(color->mapped, example.mapped);
  }
}

TEST(CssColorValue, MalformedColoursAreNotRead) {
  for (const char* text :
       {"#12ab3", "#-12345", "#ggg", "rgb(1, 2 3)", "rgb(1 2 3 4)", "rgb(1 2)", "rgb(1, 2, 3, 4, 5)",
        "hsl(120 10% 10% / 1 / 1)", "oklch(0.5 0.1 10%)", "rgb(1 2 3", "rgb(1 2 3deg)", "rgb(1 2 x)",
        "color(rec9999 1 0 0)", "color(rec2020 1 0)", "color(display-p3, 1, 0, 0)", "lab(50 1e 2)", "oklch(inf 0 0)", "rgb(calc(1) 2 3)"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(StartsAsCssColor(text));
    EXPECT_FALSE(ParseCssColor(text).has_value());
  }
}

TEST(CssColorValue, TellsColoursFromOtherValues) {
  for (const char* text : {"4px", "Inter, sans-serif", "var(--brand)", "rgb(var(--r) 0 0)", "0 0% 100%", "transparent",
                           "currentColor", "color-mix(in oklab, red, blue)", "1.5rem", ""}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(StartsAsCssColor(text));
  }
}

TEST(CssNamedColors, AllOneHundredAndFortyEightAreFoundByTheirNames) {
  const Palette palette = CssNamedColorsPalette();
  ASSERT_EQ(palette.entries.size(), kCssNamedColorCount);
  for (const PaletteEntry& entry : palette.entries) {
    EXPECT_EQ(CssNamedColor(entry.name), entry.color) << entry.name;
  }
  EXPECT_EQ(CssNamedColor("Coral"), MakeColor(0xFF, 0x7F, 0x50));
  EXPECT_EQ(CssNamedColor("grey"), MakeColor(0x80, 0x80, 0x80));
  EXPECT_EQ(CssNamedColor("yellowgreen"), MakeColor(0x9A, 0xCD, 0x32));
  EXPECT_FALSE(CssNamedColor("transparent").has_value());
  EXPECT_FALSE(CssNamedColor("coralx").has_value());
}

}  // namespace
}  // namespace huemira
