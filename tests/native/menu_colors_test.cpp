#include "widgets/menu_colors.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

const SystemMenuColors kXpColors{MakeColor(236, 233, 216), MakeColor(49, 106, 197), MakeColor(172, 168, 153),
                                 MakeColor(0, 0, 0)};

MenuColorSettings SystemColorSettings() {
  MenuColorSettings settings{};
  settings.useSystemColors = true;
  settings.fontColor = MakeColor(1, 2, 3);
  return settings;
}

TEST(MenuColors, TheXpExampleOnADeepDisplay) {
  const MenuColors colors = EffectiveMenuColors(SystemColorSettings(), kXpColors, true, SameColor);
  EXPECT_EQ(colors.background, MakeColor(252, 252, 250));
  EXPECT_EQ(colors.iconColumn, MakeColor(239, 237, 222));
  EXPECT_EQ(colors.selectionFill, MakeColor(189, 207, 236));
  EXPECT_EQ(colors.selectionFrame, kXpColors.highlight);
  EXPECT_EQ(colors.text, kXpColors.menuText) << "the system menu font's colour replaces the font's";
  EXPECT_EQ(colors.selectedText, kXpColors.menuText);
  EXPECT_EQ(colors.flatBorder, DarkenBy(kXpColors.btnFace, 90));
}

TEST(MenuColors, AShallowDisplayGetsWhiteAndThePlainSystemColors) {
  const MenuColors colors = EffectiveMenuColors(SystemColorSettings(), kXpColors, false, SameColor);
  EXPECT_EQ(colors.background, clWhite);
  EXPECT_EQ(colors.selectionFill, clWhite);
  EXPECT_EQ(colors.iconColumn, kXpColors.btnFace);
  EXPECT_EQ(colors.disabledText, kXpColors.btnShadow);
  EXPECT_EQ(colors.separator, kXpColors.btnShadow);
  EXPECT_EQ(colors.checkAreaSelected, clWhite);
  EXPECT_EQ(colors.flatShadow, kXpColors.btnShadow);
}

TEST(MenuColors, OnlyBlendedColorsTakeTheNearestColorStep) {
  const auto marker = [](TColor) { return MakeColor(1, 2, 3); };
  const MenuColors colors = EffectiveMenuColors(SystemColorSettings(), kXpColors, true, marker);
  for (TColor blended : {colors.background, colors.iconColumn, colors.selectionFill, colors.disabledText,
                         colors.separator, colors.checkArea, colors.checkAreaSelected})
    EXPECT_EQ(blended, MakeColor(1, 2, 3));
  EXPECT_EQ(colors.menuBar, kXpColors.btnFace);
  EXPECT_EQ(colors.checkFrame, kXpColors.highlight);
  EXPECT_EQ(colors.flatBorder, DarkenBy(kXpColors.btnFace, 90));
}

TEST(MenuColors, WithoutSystemColorsThePropertiesCount) {
  MenuColorSettings settings{};
  settings.color = MakeColor(10, 10, 10);
  settings.selectColor = MakeColor(0, 0, 100);
  settings.selectFontColor = MakeColor(5, 5, 5);
  settings.fontColor = MakeColor(7, 7, 7);
  const MenuColors deep = EffectiveMenuColors(settings, kXpColors, true, SameColor);
  EXPECT_EQ(deep.background, settings.color);
  EXPECT_EQ(deep.selectionFill, BlendToWhite(settings.selectColor, 68));
  EXPECT_EQ(deep.selectedText, settings.selectFontColor);
  EXPECT_EQ(deep.text, settings.fontColor);
  const MenuColors shallow = EffectiveMenuColors(settings, kXpColors, false, SameColor);
  EXPECT_EQ(shallow.selectionFill, settings.selectColor);
  EXPECT_EQ(shallow.checkArea, clWhite);
  EXPECT_EQ(shallow.checkAreaSelected, clSilver);
}

TEST(ColorOperations, BlendToWhiteRoundsHalvesToEvenAndCapsThePercentage) {
  // Red 5 gains 2.5 and green 105 gains 1.5: both become 2; blue 0 gains 2.55.
  EXPECT_EQ(BlendToWhite(MakeColor(5, 105, 0), 1), MakeColor(7, 107, 3));
  EXPECT_EQ(BlendToWhite(MakeColor(100, 100, 100), 90), MakeColor(240, 240, 240));  // 139.5 -> 140
  EXPECT_EQ(BlendToWhite(MakeColor(12, 34, 56), 150), clWhite);
  EXPECT_EQ(BlendToWhite(MakeColor(12, 34, 56), 0), MakeColor(12, 34, 56));
}

TEST(ColorOperations, DarkenByKeepsGreenTwoLighterAndClamps) {
  EXPECT_EQ(DarkenBy(MakeColor(100, 100, 100), 30), MakeColor(70, 72, 70));
  EXPECT_EQ(DarkenBy(MakeColor(10, 0, 250), 20), MakeColor(0, 0, 230));
  EXPECT_EQ(DarkenBy(MakeColor(240, 250, 10), -40), MakeColor(255, 255, 50));
}

TEST(ColorOperations, GreyToneAddsTheLevelAndStopsAt240) {
  EXPECT_EQ(GreyTone(clBlack, 10), MakeColor(10, 10, 10));
  EXPECT_EQ(GreyTone(clWhite, 10), MakeColor(240, 240, 240));
  EXPECT_EQ(GreyTone(MakeColor(10, 20, 31), 0), MakeColor(20, 20, 20));
}

TEST(ColorOperations, ContrastTextIsTheFontColorOnLightBackgrounds) {
  const TColor font = MakeColor(1, 2, 3);
  EXPECT_EQ(ContrastTextColor(MakeColor(200, 0, 200), font, SameColor), font);
  EXPECT_EQ(ContrastTextColor(MakeColor(0, 201, 0), font, SameColor), font);
  // 94.5 and 49.5 round to even: 94 and 50.
  EXPECT_EQ(ContrastTextColor(MakeColor(150, 200, 150), font, SameColor), MakeColor(244, 250, 244));
}

TEST(ImageOperations, GreyOutTurnsEveryBlackPixelIntoTheLevelsGrey) {
  std::vector<TColor> pixels{clBlack, clBlack, MakeColor(30, 60, 90), clBlack};
  GreyOutImage(pixels, 10);
  EXPECT_EQ(pixels, (std::vector<TColor>{MakeColor(10, 10, 10), MakeColor(10, 10, 10), MakeColor(70, 70, 70),
                                         MakeColor(10, 10, 10)}));
}

TEST(ImageOperations, FadeBlendsEveryPixelAndAsksForTheNearestColorOncePerRun) {
  std::vector<TColor> pixels{clBlack, clBlack, clBlack, clWhite, clBlack};
  int asked = 0;
  FadeImage(pixels, 50, [&asked](TColor color) {
    ++asked;
    return color;
  });
  EXPECT_EQ(pixels[0], MakeColor(128, 128, 128));  // 127.5 rounds to even
  EXPECT_EQ(pixels[3], clWhite);
  EXPECT_EQ(pixels[4], MakeColor(128, 128, 128));
  EXPECT_EQ(asked, 3);
}

TEST(ImageOperations, TheShadowFallsWhereThePixelDiffersFromTheBottomLeftOne) {
  const TColor bg = MakeColor(9, 9, 9);
  const std::vector<TColor> pixels{clBlack, bg, bg, bg, bg, clWhite};  // 3 x 2
  EXPECT_EQ(ShadowMask(pixels, 3, 2), (std::vector<bool>{true, false, false, false, false, true}));
  EXPECT_EQ(ShadowMask(pixels, 4, 2), std::vector<bool>(6, false)) << "a size the pixels do not fill";
}

TEST(Gradient, StepsGrowBy3AcrossTheIconColumnThenBy1UpTo96) {
  const std::vector<int> steps = GradientSteps(60, 24);
  EXPECT_EQ(steps[0], 0);
  EXPECT_EQ(steps[1], 3);
  EXPECT_EQ(steps[28], 84);
  EXPECT_EQ(steps[29], 85);
  EXPECT_EQ(steps[40], 96);
  EXPECT_EQ(steps[59], 96);
}

}  // namespace
}  // namespace huemira
