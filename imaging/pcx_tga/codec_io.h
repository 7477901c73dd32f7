// The bridge between the bitmap-codec module and TDibGraphic: one read
// sequence that decodes straight into a graphic's rows, and one write
// sequence that encodes them. Failures raise EBmcError.
#pragma once

#include "framework/stream.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira {

// Decodes the picture that starts at position 0 of stream into graphic, with
// the codec that nominal_name's extension selects. On a data failure the
// graphic keeps the image made for it, partly decoded.
void ReadThroughCodec(TStream& stream, TDibGraphic& graphic, const char* nominal_name, const char* options);

// Writes graphic's image at stream's position as bpp bits per pixel (1, 4, 8 or 24,
// matching the image's row layout) with the codec that nominal_name selects.
void WriteThroughCodec(TStream& stream, TDibGraphic& graphic, int bpp, const char* nominal_name,
                       const char* options);

}  // namespace huemira
