// Line handling shared by the text palette formats.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "color/palette.h"

namespace huemira {

// Throws PaletteFileError with the line of the first byte that is not
// UTF-8.
void RequireUtf8(std::string_view text);

// The lines of a text file without their ends (LF or CRLF), a leading UTF-8
// byte-order mark dropped. Throws as RequireUtf8 does.
std::vector<std::string_view> SplitPaletteLines(std::string_view text);

// Without blanks and tabs on either side.
std::string_view TrimBlanks(std::string_view text);

// Control characters (line ends, tabs) replaced by spaces, so that a name
// stays on its line in a written file.
std::string SingleLineText(std::string_view text);

// The names the writers give the entries: each entry's name made valid by
// clean, "color-N" (N its position from 1) where that leaves nothing, and
// "-2", "-3", ... after a name that an earlier entry already has.
std::vector<std::string> UniqueEntryNames(const Palette& palette, std::string (*clean)(std::string_view));

}  // namespace huemira
