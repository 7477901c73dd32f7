// A lower bound of the CIEDE2000 difference between one colour and every
// colour of a CIELAB box, which lets a search skip whole boxes of colours.
#pragma once

#include "color/cielab.h"

namespace huemira {

// Every colour of interest has l in [lMin, lMax], a in [aMin, aMax] and b
// in [bMin, bMax].
struct CieLabBox {
  double lMin, lMax, aMin, aMax, bMin, bMax;
};

// No colour of the box has a Ciede2000(reference, colour) below this, as
// computed in doubles: the bound carries an allowance far above the
// rounding of both computations, so a search that drops boxes whose bound
// exceeds its best value loses no colour that would tie or win.
double Ciede2000LowerBound(const CieLab& reference, const CieLabBox& box);

// The same from the lightness range alone: weaker, and a fraction of the
// cost, for sorting out far boxes first.
double Ciede2000LightnessLowerBound(const CieLab& reference, double lMin, double lMax);

}  // namespace huemira
