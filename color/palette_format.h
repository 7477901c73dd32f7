// The palette file formats behind one door: which format a file name
// means, and reading and writing by format.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "color/palette.h"

namespace huemira {

enum class PaletteFormat {
  Gimp,            // .gpl (gimp_palette.h)
  SwatchExchange,  // .ase (swatch_exchange.h)
  Css,             // .css (css_palette.h)
  TailwindTheme,   // .tailwind.css; read as any CSS
  DesignTokens,    // .tokens.json or .tokens (design_tokens.h)
};

struct PaletteFormatInfo {
  PaletteFormat format;
  std::string_view name;         // for the command line: "gpl", "ase", "css", "tailwind", "tokens"
  std::string_view extension;    // the one a written file gets: ".gpl", ".tailwind.css" ...
  std::string_view description;  // for file dialogs, in the program's language
};

// Every format, in the order a save dialog lists them.
std::span<const PaletteFormatInfo> PaletteFormats();
const PaletteFormatInfo& InfoOf(PaletteFormat format);

// By the file name's ending, in any letter case; ".tailwind.css" before
// ".css". Empty for any other name.
std::optional<PaletteFormat> PaletteFormatFromPath(std::string_view path);
// By the short name of PaletteFormatInfo ("tailwind"), in any letter case.
std::optional<PaletteFormat> PaletteFormatFromName(std::string_view name);

// The file name without folders and without the format's ending (the
// last ending for other names): what a palette read from it is called when
// the file names none. "C:\\x\\Brand.tokens.json" gives "Brand".
std::string PaletteNameFromPath(std::string_view path);

// Throws PaletteFileError; a failing file yields nothing.
Palette ReadPalette(std::string_view bytes, PaletteFormat format, std::string fallbackName);
std::string WritePalette(const Palette& palette, PaletteFormat format);

}  // namespace huemira
