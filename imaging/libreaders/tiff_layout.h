// How a TIFF page becomes a DIB image: the fields of the page that matter,
// and from them the image format, palette, the way the pixels are read and
// whether the image is inverted afterwards.
#pragma once

#include <cstdint>

#include "imaging/dib/dib_format.h"
#include "imaging/libreaders/tiff_compression.h"
#include "imaging/libreaders/tiff_file.h"

namespace huemira {

struct TiffFields {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint16_t photometric = 0;
  std::uint16_t compressionTag = 1;
  TTiffCompression compression = TTiffCompression::tcNone;
  std::uint16_t bitsPerSample = 1;
  std::uint16_t samplesPerPixel = 1;
  std::uint16_t planarConfig = 1;
  std::uint16_t inkSet = 1;
  bool tiled = false;
  std::uint64_t scanlineSize = 0;
  std::uint16_t xdpi = 0;
  std::uint16_t ydpi = 0;
};

enum class TiffPixelRoute {
  // Each row as the library decodes it is the image row (1-, 4- and 8-bit pages).
  CopyRows,
  // 8-bit red, green, blue rows, reordered into the image row.
  RgbRows,
  // The first sample of each pixel, reduced to 8 bits (16-bit gray, palette with extra samples).
  FirstSampleRows,
  // 16-bit CMYK, which libtiff's RGBA conversion does not take, converted as it converts 8-bit CMYK.
  CmykRows,
  // libtiff's own conversion to 32-bit RGBA, for everything else.
  Rgba
};

struct TiffLayout {
  TDibFormat format = TDibFormat::ifColorRgb24;
  bool hasPalette = false;
  TLogPalette palette;
  TiffPixelRoute route = TiffPixelRoute::Rgba;
  bool invert = false;
};

// Reads the fields of the current page. Throws ETiffError "Bits per sample
// not specified", EImbravaError "LZW compression not supported", the size
// rule's EInvalidGraphic and ETiffError "Unsupported compression tag, %d".
TiffFields ReadTiffFields(const TiffFile& file);

// Throws ETiffError when a palette page has no colour map.
TiffLayout ChooseTiffLayout(const TiffFile& file, const TiffFields& fields);

}  // namespace huemira
