// Turning a true-colour picture into the indexed one a GIF frame needs.
#pragma once

#include "imaging/dib/dib_graphic.h"

namespace huemira {

// dest becomes an 8-bit copy of the 24-bit source. Grey levels when
// grayscale is set; otherwise the picture's own colours when there are at
// most 256 of them, else the nearest colours of a fixed 6 x 7 x 6 cube.
void ReduceToIndexed(const TDibGraphic& source, bool grayscale, TDibGraphic& dest);

}  // namespace huemira
