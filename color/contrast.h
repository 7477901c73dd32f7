// WCAG 2.2 relative luminance and contrast ratio, and the pass or fail that
// the contrast window shows beside the ratio: both come from one
// ContrastRatio(text, background), RatioText for the number and
// JudgeContrast for AA and AAA at both text sizes. Colours are plain RGB
// values (system colours resolved first); bits above the 24 colour bits
// are ignored.
#pragma once

#include <string>

#include "framework/color.h"

namespace huemira {

// The ratios that WCAG 2.2 asks for. Each is a whole number of hundredths,
// which keeps the truncated ratio text and the judgement in agreement.
inline constexpr double kRatioAaNormalText = 4.5;
inline constexpr double kRatioAaLargeText = 3.0;
inline constexpr double kRatioAaaNormalText = 7.0;
inline constexpr double kRatioAaaLargeText = 4.5;

// 0.2126 R + 0.7152 G + 0.0722 B of the linear components, in [0, 1].
double RelativeLuminance(TColor color);

// (lighter + 0.05) / (darker + 0.05), from 1 to 21; the order of the
// arguments does not matter.
double ContrastRatioOfLuminances(double luminance1, double luminance2);
double ContrastRatio(TColor color1, TColor color2);

// The one pass test of the program: the ratio as computed, not as shown,
// reaches the target. The nearest-colour search uses it too.
inline bool MeetsRatio(double ratio, double target) { return ratio >= target; }

struct ContrastVerdict {
  bool aaNormalText;
  bool aaLargeText;
  bool aaaNormalText;
  bool aaaLargeText;
};
ContrastVerdict JudgeContrast(double ratio);

// "4.47:1": two decimals, cut off, never rounded up. The shown number
// reaches a target of whole hundredths exactly when MeetsRatio says so.
std::wstring RatioText(double ratio);

}  // namespace huemira
