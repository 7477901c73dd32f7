// Adobe Swatch Exchange files (.ase): big-endian blocks of colour entries
// and groups, names in UTF-16.
#pragma once

#include <string>
#include <string_view>

#include "color/palette.h"

namespace huemira {

// RGB, CMYK (by the naive formula, no profile: R = (1 - C)(1 - K) ...),
// LAB (D50, L* stored as 0-1) and grey entries. Groups are flattened: an
// entry in the group "Brand" named "Red" becomes "Brand-Red" (the group's
// name alone when the entry has none). The palette is named fallbackName.
// Throws PaletteFileError (line 0; the message names the block) for a
// file that is cut short or holds what no such file can; counts and
// lengths are checked against the bytes before anything is read.
Palette ReadSwatchExchange(std::string_view bytes, std::string fallbackName);

// Version 1.0, one global RGB entry per colour, no groups.
std::string WriteSwatchExchange(const Palette& palette);

}  // namespace huemira
