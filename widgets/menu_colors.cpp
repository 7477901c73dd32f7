#include "widgets/menu_colors.h"

#include <algorithm>

namespace huemira {

namespace {

// numerator / denominator rounded to the nearest integer, halves to even.
int DivideRoundingHalvesToEven(int numerator, int denominator) {
  const int quotient = numerator / denominator;
  const int twiceRemainder = 2 * (numerator % denominator);
  if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) return quotient + 1;
  return quotient;
}

template <typename Convert>
void ConvertPixels(std::vector<TColor>& pixels, Convert convert) {
  bool haveLast = false;
  TColor lastIn = 0;
  TColor lastOut = 0;
  for (TColor& pixel : pixels) {
    if (!haveLast || pixel != lastIn) {
      lastIn = pixel;
      lastOut = convert(pixel);
      haveLast = true;
    }
    pixel = lastOut;
  }
}

}  // namespace

TColor SameColor(TColor color) { return color; }

TColor BlendToWhite(TColor color, int percent) {
  const int p = std::clamp(percent, 0, 100);
  const auto blend = [p](int v) { return v + DivideRoundingHalvesToEven((255 - v) * p, 100); };
  return MakeColor(blend(RedOf(color)), blend(GreenOf(color)), blend(BlueOf(color)));
}

TColor DarkenBy(TColor color, int amount) {
  const auto channel = [](int v) { return std::clamp(v, 0, 255); };
  return MakeColor(channel(RedOf(color) - amount), channel(GreenOf(color) - amount + 2),
                   channel(BlueOf(color) - amount));
}

TColor GreyTone(TColor color, int level) {
  const int grey = std::min(level + (RedOf(color) + GreenOf(color) + BlueOf(color)) / 3, 240);
  return MakeColor(grey, grey, grey);
}

TColor ContrastTextColor(TColor background, TColor fontColor, const NearestColor& nearest) {
  if ((RedOf(background) + BlueOf(background)) / 2 > 150 || GreenOf(background) > 200) return fontColor;
  return nearest(BlendToWhite(background, 90));
}

MenuColors EffectiveMenuColors(const MenuColorSettings& s, const SystemMenuColors& system, bool deep,
                               const NearestColor& nearest) {
  const auto blend = [&nearest](TColor color, int percent) { return nearest(BlendToWhite(color, percent)); };
  MenuColors c{};
  if (s.useSystemColors) {
    c.text = system.menuText;
    c.background = deep ? blend(system.btnFace, 86) : clWhite;
    c.iconColumn = deep ? blend(system.btnFace, 16) : system.btnFace;
    c.selectionFill = deep ? blend(system.highlight, 68) : clWhite;
    c.selectionFrame = system.highlight;
    c.selectedText = c.text;
    c.menuBar = system.btnFace;
    c.disabledText = deep ? blend(system.btnShadow, 10) : system.btnShadow;
    c.separator = deep ? blend(system.btnShadow, 25) : system.btnShadow;
    c.checkFrame = system.highlight;
    c.checkArea = deep ? blend(system.highlight, 80) : clWhite;
    c.checkAreaSelected = deep ? blend(system.highlight, 50) : clWhite;
  } else {
    c.text = s.fontColor;
    c.background = s.color;
    c.iconColumn = s.iconBackColor;
    c.selectionFill = deep ? blend(s.selectColor, 68) : s.selectColor;
    c.selectionFrame = s.selectBorderColor;
    c.selectedText = s.selectFontColor;
    c.menuBar = s.menuBarColor;
    c.disabledText = s.disabledColor;
    c.separator = s.separatorColor;
    c.checkFrame = s.checkedColor;
    c.checkArea = deep ? blend(s.selectColor, 80) : clWhite;
    c.checkAreaSelected = deep ? blend(s.selectColor, 50) : clSilver;
  }
  c.flatBorder = deep ? DarkenBy(system.btnFace, 90) : system.btnShadow;
  c.flatShadow = deep ? DarkenBy(system.btnFace, 76) : system.btnShadow;
  return c;
}

void GreyOutImage(std::vector<TColor>& pixels, int level) {
  ConvertPixels(pixels, [level](TColor pixel) { return GreyTone(pixel, level); });
}

void FadeImage(std::vector<TColor>& pixels, int percent, const NearestColor& nearest) {
  ConvertPixels(pixels, [&](TColor pixel) { return nearest(BlendToWhite(pixel, std::min(percent, 100))); });
}

std::vector<bool> ShadowMask(const std::vector<TColor>& pixels, int width, int height) {
  std::vector<bool> mask(pixels.size(), false);
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height) return mask;
  const TColor background = pixels[static_cast<std::size_t>(height - 1) * width];
  for (std::size_t i = 0; i < pixels.size(); ++i) mask[i] = pixels[i] != background;
  return mask;
}

std::vector<int> GradientSteps(int stripes, int iconWidth) {
  constexpr int kLastStep = 96;
  std::vector<int> steps;
  int step = 0;
  for (int stripe = 0; stripe < stripes; ++stripe) {
    if (stripe > 0 && step < kLastStep) step = std::min(step + (stripe < iconWidth + 5 ? 3 : 1), kLastStep);
    steps.push_back(step);
  }
  return steps;
}

}  // namespace huemira
