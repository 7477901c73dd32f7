// The colour spaces that CSS Color 4 names and palette files use, turned
// into linear-light sRGB without clipping: components outside [0, 1] are
// colours outside sRGB, which gamut_mapping.h brings in.
#pragma once

#include "color/cielab.h"
#include "color/oklab.h"
#include "color/srgb.h"

namespace huemira {

// Gamma-encoded components of an RGB space, nominally in [0, 1].
struct EncodedRgb {
  double r, g, b;
};

// The sRGB transfer function extended to all reals by symmetry, as CSS
// does; display-p3 shares it.
double LinearFromEncoded(double encoded);
double EncodedFromLinear(double linear);
LinearRgb LinearFromSrgb(const EncodedRgb& srgb);

// Hue in degrees (any value, wrapped); the other components in [0, 1].
EncodedRgb SrgbFromHsl(double hue, double saturation, double lightness);
EncodedRgb SrgbFromHwb(double hue, double whiteness, double blackness);

LinearRgb LinearFromOkLab(const OkLab& lab);
OkLab OkLabFromOkLch(const OkLch& lch);

// CIE XYZ relative to D65 or D50 (Y of white 1); D50 adapted by Bradford.
LinearRgb LinearFromXyzD65(const CieXyz& xyz);
LinearRgb LinearFromXyzD50(const CieXyz& xyz);
// CIELAB relative to D50, as CSS lab() and the swatch exchange format give it.
LinearRgb LinearFromLabD50(const CieLab& lab);
// CIE LCh of that CIELAB; hue in degrees.
CieLab LabFromLch(double lightness, double chroma, double hue);

LinearRgb LinearFromDisplayP3(const EncodedRgb& p3);
// The other RGB spaces of CSS color(), from their encoded components.
LinearRgb LinearFromA98Rgb(const EncodedRgb& a98);
LinearRgb LinearFromProPhotoRgb(const EncodedRgb& proPhoto);
LinearRgb LinearFromRec2020(const EncodedRgb& rec2020);

}  // namespace huemira
