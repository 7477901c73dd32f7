// The colour closest to a text colour that reaches a contrast ratio against
// a background: what the contrast window proposes for AA and AAA.
#pragma once

#include <optional>

#include "framework/color.h"

namespace huemira {

struct ColorProposal {
  TColor color;
  double deltaE;  // CIEDE2000 from the text colour
};

// Among all 16,777,216 sRGB colours c with
//   MeetsRatio(ContrastRatio(c, background), targetRatio),
// the one with the smallest Ciede2000 from the text colour; ties go to the
// smaller 24-bit value. The text colour itself, with deltaE 0, when it
// already passes. Empty when no colour passes (against a mid-grey
// background, 7:1 leaves none). Colours are plain RGB values; bits above
// the 24 colour bits are ignored.
//
// The answer is the one that checking every colour would give, found in a
// few milliseconds: colours are taken in boxes of the RGB cube, and a box
// is dropped when no colour in it can pass (the ratio depends only on
// luminance, which grows with each component) or when a lower bound of its
// CIEDE2000 (ciede2000_bound.h) exceeds the best difference found so far.
std::optional<ColorProposal> NearestPassingColor(TColor text, TColor background, double targetRatio);

}  // namespace huemira
