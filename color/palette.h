// Named lists of colours: what the palette window keeps and what the
// palette files (GIMP, Adobe swatch exchange, CSS, design tokens) exchange.
#pragma once

#include <string>
#include <vector>

#include "framework/color.h"

namespace huemira {

struct PaletteEntry {
  TColor color = clBlack;  // plain sRGB, never a system colour
  std::string name;        // UTF-8; may be empty
  // The source colour lay outside sRGB and was brought in by gamut mapping.
  bool mapped = false;
};

struct Palette {
  std::string name;  // UTF-8
  int columns = 0;   // how many columns a palette view should use; 0: no preference
  std::vector<PaletteEntry> entries;
};

}  // namespace huemira
