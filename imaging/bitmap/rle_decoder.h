// The run-length codings of 4- and 8-bit bitmaps (BI_RLE4, BI_RLE8).
#pragma once

#include <cstdint>

#include "framework/stream.h"
#include "imaging/bitmap/dib_header.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira {

// Decodes the stream from position `at` to its end into image, a 4- or
// 8-bit image of the header's size whose rows must all be index 0. Pixels
// that the stream skips (delta, end of line, end of bitmap) keep index 0,
// as in a DIB section that Windows decodes a run-length bitmap into. Runs
// past the right edge are cut off there; a stream that ends before its
// end-of-bitmap mark and before its last row throws EInvalidGraphic(invalid).
void DecodeRleBitmap(TStream& stream, std::int64_t at, const TDibHeader& header, TDibGraphic& image,
                     const char* invalid);

}  // namespace huemira
