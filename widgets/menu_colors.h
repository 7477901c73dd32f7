// The colour arithmetic of the styled menus, free of the platform. Colours
// here are plain RGB values: system colours are resolved by the caller, and
// the step to the nearest colour a drawing surface can show is a function
// the caller passes in (the identity on a true-colour surface).
#pragma once

#include <functional>
#include <vector>

#include "framework/color.h"

namespace huemira {

using NearestColor = std::function<TColor(TColor)>;
TColor SameColor(TColor color);

// Each channel moves percent (capped at 100) of the way to 255, rounding
// halves to even. Without the nearest-colour step.
TColor BlendToWhite(TColor color, int percent);
// Red and blue lose amount, green amount - 2, clamped; a negative amount lightens.
TColor DarkenBy(TColor color, int amount);
// The grey of the colour's mean brightness plus level, at most 240.
TColor GreyTone(TColor color, int level);
// Text on a background colour: the font colour on light colours, a near
// white otherwise.
TColor ContrastTextColor(TColor background, TColor fontColor, const NearestColor& nearest);

// The styler's colour properties, resolved to RGB.
struct MenuColorSettings {
  TColor color;
  TColor iconBackColor;
  TColor menuBarColor;
  TColor selectColor;
  TColor selectBorderColor;
  TColor selectFontColor;
  TColor disabledColor;
  TColor separatorColor;
  TColor checkedColor;
  TColor fontColor;
  bool useSystemColors;
};

struct SystemMenuColors {
  TColor btnFace;
  TColor highlight;
  TColor btnShadow;
  TColor menuText;
};

// The colours one item draw uses.
struct MenuColors {
  TColor text;
  TColor background;
  TColor iconColumn;
  TColor selectionFill;
  TColor selectionFrame;
  TColor selectedText;
  TColor menuBar;
  TColor disabledText;
  TColor separator;
  TColor checkFrame;
  TColor checkArea;
  TColor checkAreaSelected;
  TColor flatBorder;
  TColor flatShadow;
};

// deepDisplay: the drawing surface has more than 15 bits per pixel.
MenuColors EffectiveMenuColors(const MenuColorSettings& settings, const SystemMenuColors& system, bool deepDisplay,
                               const NearestColor& nearest);

// Pixel operations on a small image held row by row from the top. A
// converted colour is remembered, so runs of one colour convert once.
void GreyOutImage(std::vector<TColor>& pixels, int level);
void FadeImage(std::vector<TColor>& pixels, int percent, const NearestColor& nearest);
// The pixels that cast a shadow: all but those of the bottom-left pixel's
// colour, which is the image's background.
std::vector<bool> ShadowMask(const std::vector<TColor>& pixels, int width, int height);

// The blend steps of a gradient item background, one per one-pixel stripe
// from the item's edge at the icon column.
std::vector<int> GradientSteps(int stripes, int iconWidth);

}  // namespace huemira
