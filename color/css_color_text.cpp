#include "color/css_color_text.h"

#include <cmath>
#include <cstdint>
#include <cwchar>
#include <string>

#include "color/hsl.h"
#include "color/oklab.h"

namespace huemira {

namespace {

// value * scale rounded half away from zero, for 0 <= value < 1024 and
// scale <= 1000, from the double's exact value: printing with "%.3f" would
// round an exact tie (0.0625 is one) to even, and value * scale in doubles
// may round onto a half. The double is m * 2^-shift with m below 2^53, so
// m * scale fits in 64 bits.
int RoundedUnits(double value, int scale) {
  if (!(value > 0)) return 0;
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = 53 - exponent;
  if (shift >= 64) return 0;  // value below 2^-11
  const std::uint64_t product = mantissa * static_cast<std::uint64_t>(scale);
  return static_cast<int>((product + (std::uint64_t{1} << (shift - 1))) >> shift);
}

// units / 10^decimals with all its decimals.
std::wstring Decimal(int units, int decimals) {
  int scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  wchar_t text[32];
  std::swprintf(text, 32, L"%d.%0*d", units / scale, decimals, units % scale);
  return text;
}

}  // namespace

std::wstring CssHexText(TColor color, HexLetterCase letterCase) {
  wchar_t text[16];
  std::swprintf(text, 16, letterCase == HexLetterCase::Lower ? L"#%02x%02x%02x" : L"#%02X%02X%02X", RedOf(color),
                GreenOf(color), BlueOf(color));
  return text;
}

std::wstring CssRgbText(TColor color) {
  wchar_t text[32];
  std::swprintf(text, 32, L"rgb(%d, %d, %d)", RedOf(color), GreenOf(color), BlueOf(color));
  return text;
}

std::wstring CssHslText(TColor color) {
  const WholeHsl hsl = WholeHslOf(color);
  wchar_t text[32];
  std::swprintf(text, 32, L"hsl(%d, %d%%, %d%%)", hsl.hue, hsl.saturation, hsl.lightness);
  return text;
}

std::wstring CssOklchText(TColor color) {
  const OkLch lch = OkLchOf(color);
  const int chroma = RoundedUnits(lch.c, 1000);
  const std::wstring hue = chroma == 0 ? L"none" : Decimal(RoundedUnits(lch.h, 10) % 3600, 1);
  return L"oklch(" + Decimal(RoundedUnits(lch.l, 1000), 3) + L" " + Decimal(chroma, 3) + L" " + hue + L")";
}

}  // namespace huemira
