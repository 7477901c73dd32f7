#include "color/contrast.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "color/srgb.h"

namespace huemira {

double RelativeLuminance(TColor color) {
  const LinearRgb linear = LinearRgbOf(color);
  return 0.2126 * linear.r + 0.7152 * linear.g + 0.0722 * linear.b;
}

double ContrastRatioOfLuminances(double luminance1, double luminance2) {
  return (std::max(luminance1, luminance2) + 0.05) / (std::min(luminance1, luminance2) + 0.05);
}

double ContrastRatio(TColor color1, TColor color2) {
  return ContrastRatioOfLuminances(RelativeLuminance(color1), RelativeLuminance(color2));
}

ContrastVerdict JudgeContrast(double ratio) {
  return {.aaNormalText = MeetsRatio(ratio, kRatioAaNormalText),
          .aaLargeText = MeetsRatio(ratio, kRatioAaLargeText),
          .aaaNormalText = MeetsRatio(ratio, kRatioAaaNormalText),
          .aaaLargeText = MeetsRatio(ratio, kRatioAaaLargeText)};
}

std::wstring RatioText(double ratio) {
  // The largest whole number of hundredths h with h / 100.0 <= ratio. For a
  // target t = H / 100.0 this gives h >= H exactly when ratio >= t, because
  // the division is rounded monotonically; ratio * 100 alone could round a
  // ratio just under 4.5 up to 450.
  long hundredths = static_cast<long>(std::floor(ratio * 100.0));
  while (hundredths > 0 && hundredths / 100.0 > ratio) --hundredths;
  while ((hundredths + 1) / 100.0 <= ratio) ++hundredths;
  wchar_t text[32];
  std::swprintf(text, 32, L"%ld.%02ld:1", hundredths / 100, hundredths % 100);
  return text;
}

}  // namespace huemira
