// The colour as CSS text, for the swatch menu's "copy as" entries. Colours
// are plain RGB values (system colours resolved first).
#pragma once

#include <string>

#include "framework/color.h"

namespace huemira {

// The code box shows its text in one letter case; "#12ab34" follows it.
enum class HexLetterCase { Lower, Upper };

// "#12ab34" or "#12AB34".
std::wstring CssHexText(TColor color, HexLetterCase letterCase);
// "rgb(18, 171, 52)".
std::wstring CssRgbText(TColor color);
// "hsl(133, 81%, 37%)": whole degrees and percents, each rounded half away
// from zero from the exact fraction; hue 0 for greys, and 0 rather than 360.
std::wstring CssHslText(TColor color);
// "oklch(0.646 0.197 145.2)": lightness and chroma to 3 decimals, hue to 1,
// 0.0 rather than 360.0; the hue is "none" when the chroma shows as 0.000.
std::wstring CssOklchText(TColor color);

}  // namespace huemira
