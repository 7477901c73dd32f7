// Writes a picture as the Windows BMP file the picture window loads: 24 bits,
// bottom-up rows of (blue, green, red) padded to 32 bits.
#pragma once

#include "framework/stream.h"
#include "imaging/dib/graphic.h"

namespace huemira {

// Streams the rows one at a time, so the cost is the picture plus one row.
// Throws EInvalidGraphic for an empty picture, EWriteError when the stream fails.
void SaveToBmp(const TGraphic& graphic, TStream& stream);

}  // namespace huemira
