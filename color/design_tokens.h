// Design tokens files (.tokens.json) of the Design Tokens Community Group
// format 2025.10, colour module:
//   { "brand": { "$type": "color",
//                "red": { "$value": { "colorSpace": "srgb",
//                                      "components": [1, 0.345, 0.345],
//                                      "hex": "#ff5858" } } } }
// gives the entry "brand-red": groups become name prefixes joined by "-".
#pragma once

#include <string>
#include <string_view>

#include "color/palette.h"

namespace huemira {

// Tokens of type "color", given on the token or inherited from the nearest
// group that gives one; other tokens are skipped. A group's own "$root"
// token takes the group's name. A $value is an object in any colour space
// of the format (srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb,
// rec2020, hsl, hwb, lab, lch, oklab, oklch, xyz-d65, xyz-d50; "none"
// components count as 0; its "hex" stands in for a space not known here),
// a reference "{group.token}" to another colour token, or, as older drafts
// wrote it, a CSS colour string. Alpha is dropped; colours
// outside sRGB are gamut mapped and marked. The palette is named
// fallbackName. Throws PaletteFileError with the line of the fault.
Palette ReadDesignTokens(std::string_view bytes, std::string fallbackName);

// One token per entry at the top level, in srgb with components and hex.
// Token names are the entries' names with ".", "{", "}" and control
// characters made "-" and leading "$" dropped, made unique as the CSS
// writer does ("color-N" for no name, "-2" for a repeat).
std::string WriteDesignTokens(const Palette& palette);

}  // namespace huemira
