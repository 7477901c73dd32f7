// Palettes as CSS custom properties, and as a Tailwind v4 theme.
//
// Reading (both are CSS): every declaration "--name: value;" whose value is
// a colour becomes an entry named "name", inside any rule or at-rule;
// inside "@theme" the name also loses Tailwind's "color-" namespace
// ("--color-brand-500" gives "brand-500"). Declarations that are not custom
// properties are ignored, and so are custom properties whose values are no
// fixed colour ("4px", a font, "var(--x)"). A value that starts as a colour
// ("#", "rgb(", "oklch(" ...) but does not parse is an error at its line.
// Alpha is dropped; colours outside sRGB are gamut mapped and marked.
//
// Writing turns each entry's name into a CSS identifier: letters, digits,
// "-", "_" and every non-ASCII character are kept, each run of other
// characters (spaces, punctuation) becomes one "-", and "-" at either end
// is dropped. An entry without a name becomes "color-N" (N its position
// from 1), and a name that repeats an earlier one gets "-2", "-3", ...
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "color/palette.h"

namespace huemira {

// The palette is named fallbackName: CSS has no place for a palette's name.
// Throws PaletteFileError.
Palette ReadCssPalette(std::string_view bytes, std::string fallbackName);

// ":root {" with one "--name: #rrggbb;" line per entry, after a comment
// naming the palette.
std::string WriteCssPalette(const Palette& palette);

// "@theme {" with one "--color-name: oklch(L C H);" line per entry, as
// Tailwind v4 declares theme colours; precise enough that reading it gives
// each 8-bit colour back.
std::string WriteTailwindTheme(const Palette& palette);

// The custom property names, without "--", that WriteCssPalette gives the
// entries: what "var(--name)" names an entry by.
std::vector<std::string> CssPropertyNames(const Palette& palette);

}  // namespace huemira
