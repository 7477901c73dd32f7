// The decoded-size cap. Every picture that a file describes passes through
// TDibGraphic::NewImage, which refuses a size outside this rule before any
// pixel memory is allocated, so a lying header costs nothing.
//
// The rule: width >= 1 and height >= 1, width x height <= kMaxImagePixels
// (2^27 = 134,217,728 pixels), and the padded 24-bit row size times the height
// fits in a signed 32-bit integer. A 100-megapixel photo (11648 x 8736 =
// 101,756,928 pixels, 305 MB at 24 bits) is admitted; a header claiming
// 65535 x 65535 (4.3 gigapixels) is refused. 24 bits is the widest format, so
// the rule holds for every format; the largest image is 384 MiB of pixels.
// There is no separate limit on one side: a strip of 2^27 x 1 pixels is fine.
#pragma once

#include <cstdint>

namespace huemira {

constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 27;
constexpr std::int64_t kMaxImageBytes = INT32_MAX;
// The memory of the largest picture, 2^27 pixels at 24 bits (384 MiB): the
// cap for whatever a reader keeps besides one image (the frames of a GIF).
constexpr std::int64_t kMaxImageMemory = kMaxImagePixels * 3;

// Bytes per row of a DIB: rows are padded to a multiple of 32 bits.
constexpr std::int64_t DibStride(std::int64_t width, int bitsPerPixel) {
  return ((width * bitsPerPixel + 31) >> 5) * 4;
}

constexpr bool ImageSizeAllowed(std::int64_t width, std::int64_t height) {
  // Each side is checked alone first so that the product cannot overflow.
  return width >= 1 && height >= 1 && width <= kMaxImagePixels && height <= kMaxImagePixels &&
         width * height <= kMaxImagePixels && DibStride(width, 24) * height <= kMaxImageBytes;
}

}  // namespace huemira
