// The CIEDE2000 colour difference (CIE 142-2001), with kL = kC = kH = 1,
// as written out by Sharma, Wu and Dalal (2005).
#pragma once

#include <string>

#include "color/cielab.h"

namespace huemira {

double Ciede2000(const CieLab& lab1, const CieLab& lab2);

// A difference as the windows show it: "ΔE 1.23", and "ΔE 0" for none.
std::wstring DeltaEText(double deltaE);

// Terms of the formula that bounds on it (ciede2000_bound.h) share.
namespace ciede2000_terms {

inline double Pow7(double x) {
  const double x2 = x * x;
  return x2 * x2 * x2 * x;
}
inline constexpr double k25Pow7 = 6103515625.0;

// G, which stretches a*: 0.5 for greys, towards 0 for vivid colours.
// Decreasing in the mean chroma.
double ChromaCompensation(double meanChroma);
// SL, the lightness weight: 1 at L* 50, growing with |mean L* - 50|.
double LightnessWeight(double meanLightness);
// RC, the rotation term's chroma factor in [0, 2). Increasing.
double RotationChroma(double meanChromaPrime);

}  // namespace ciede2000_terms

}  // namespace huemira
