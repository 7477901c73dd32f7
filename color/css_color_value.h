// CSS colour values as palette files give them: hex codes, the colour
// functions of CSS Color 4 and the named colours. Alpha is read and
// dropped (palettes hold opaque colours); colours outside sRGB are gamut
// mapped.
#pragma once

#include <optional>
#include <string_view>

#include "color/gamut_mapping.h"

namespace huemira {

// Whether the value is meant as a fixed colour: it starts as a hex code
// ("#"), a colour function ("rgb(", "oklch(", "color(" ...) or is a colour
// name. Values that refer to others ("var(", "color-mix(") are not.
bool StartsAsCssColor(std::string_view value);

// #rgb, #rgba, #rrggbb, #rrggbbaa; rgb()/rgba() and hsl()/hsla() in the
// comma and the space syntax; hwb(), lab(), lch(), oklab(), oklch();
// color(srgb | srgb-linear | display-p3 | a98-rgb | prophoto-rgb | rec2020
// | xyz | xyz-d50 | xyz-d65 ...);
// a colour name. "none" counts as 0. Empty when the value does not parse.
std::optional<GamutMappedColor> ParseCssColor(std::string_view value);

}  // namespace huemira
