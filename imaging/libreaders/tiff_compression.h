// The compressions a TIFF picture may use, their names, and which of them go
// with which image format.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/dib/dib_format.h"

namespace huemira {

enum class TTiffCompression : std::uint8_t {
  tcNone,
  tcPackbits,
  tcCcittGroup3_1D,
  tcCcittGroup3_2D,
  tcCcittGroup4,
  tcZLib,
  tcJpeg
};

// "None", "Packbits", "CCITT Group 3, 1D", ..., "JPEG".
std::string TiffCompressionText(TTiffCompression compression);

// The compression of a file's Compression tag (and its T4 options for Group
// 3); ETiffError "Unsupported compression tag, %d" for any other tag.
TTiffCompression TiffCompressionFromTag(int tag, std::uint32_t t4Options);

// EImbravaError "%s compression not supported with %s images" when format
// cannot be stored with compression.
void RequireCompressionAllowed(TTiffCompression compression, TDibFormat format);

}  // namespace huemira
