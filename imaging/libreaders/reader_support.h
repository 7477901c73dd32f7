// Small rules that the PNG, TIFF and JPEG readers share: how a resolution
// from a file becomes the image's dpi, and the size check that must come
// before a library is allowed to allocate anything for the picture.
#pragma once

#include <cmath>
#include <cstdint>

#include "framework/exception.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/text_format.h"

namespace huemira {

// Rounded to the nearest integer (ties to even); a value that does not fit
// the image's 16-bit resolution (negative, huge, not a number) means "the
// screen's", as 0 does.
inline std::uint16_t DpiFromFile(double dpi) {
  const double rounded = std::nearbyint(dpi);
  return rounded >= 0 && rounded <= 65535 ? static_cast<std::uint16_t>(rounded) : 0;
}

// Same rule and text as TDibGraphic::NewImage, but asked before the decoder
// library sets up its own buffers for the picture.
inline void RequireImageSizeAllowed(std::int64_t width, std::int64_t height) {
  if (!ImageSizeAllowed(width, height)) {
    throw EInvalidGraphic(FormatText("Image size %lld x %lld is out of range", static_cast<long long>(width),
                                     static_cast<long long>(height)));
  }
}

}  // namespace huemira
