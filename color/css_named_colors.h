// The 148 named colours of CSS Color 4 ("coral", "rebeccapurple", and both
// spellings of the greys), as values and as the built-in reference palette.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "color/palette.h"
#include "framework/color.h"

namespace huemira {

inline constexpr std::size_t kCssNamedColorCount = 148;

// Any letter case ("Coral"); "transparent" and the system colours are not
// among them.
std::optional<TColor> CssNamedColor(std::string_view name);

// All of them in alphabetical order, named as CSS names them.
Palette CssNamedColorsPalette();

}  // namespace huemira
