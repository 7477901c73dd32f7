// GIMP palettes (.gpl), the format the palette window stores its palettes
// in:
//   GIMP Palette
//   Name: Brand
//   Columns: 4
//   # a comment
//   255  88  88	Coral red
// A colour line holds red, green and blue (0-255) and then, after blanks,
// the colour's name: the rest of the line, which may hold spaces.
#pragma once

#include <string>
#include <string_view>

#include "color/palette.h"

namespace huemira {

// Accepts CRLF line ends, a UTF-8 byte-order mark, blank lines, comments
// and version 1 files (no Name or Columns line); the palette is named
// fallbackName when the file gives no name or an empty one. Throws
// PaletteFileError with the line of the first fault.
Palette ReadGimpPalette(std::string_view bytes, std::string fallbackName);

// Version 2, as strict readers accept it: UTF-8 without a byte-order mark,
// LF line ends, no empty line, a "Columns:" line. Line breaks in names
// become spaces.
std::string WriteGimpPalette(const Palette& palette);

}  // namespace huemira
