// Reading the pixels of a TIFF page into an image made for it, one way per
// TiffPixelRoute. Every route decodes a strip, a row or a band of rows (for
// the RGBA conversion) at a time; none holds the whole picture a second time.
#pragma once

#include <cstdint>
#include <functional>

#include "imaging/dib/dib_graphic.h"
#include "imaging/libreaders/tiff_file.h"
#include "imaging/libreaders/tiff_layout.h"

namespace huemira {

// Told the number of rows finished after each row or band.
using TiffRowsDone = std::function<void(int rows)>;

// Throws ETiffError with the library's message when a row cannot be decoded.
void ReadTiffPixels(const TiffFile& file, const TiffFields& fields, TiffPixelRoute route, TDibGraphic& image,
                    const TiffRowsDone& rowsDone);

}  // namespace huemira
