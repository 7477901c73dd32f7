// The directory of an icon file (".ico"): which images it holds, where, and
// how large each really is.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/stream.h"

namespace huemira {

constexpr char kInvalidIcon[] = "Icon image is not valid";

struct TIconEntry {
  std::int64_t offset = 0;  // of the image in the file
  std::int64_t size = 0;    // its bytes
  bool png = false;         // a PNG file rather than a bitmap with an AND mask
  std::int32_t width = 0, height = 0;
  int bitsPerPixel = 0;
};

// True for the six bytes of an icon directory: reserved 0, type 1 (icon), at least one image.
bool IsIconDirectory(const std::uint8_t* header);

// Reads the directory of the icon file that is all of stream, and the size
// and depth of every image from the image's own header: the directory's
// bytes for them are often wrong (0 for 256 pixels, 0 bits). A directory or
// an image header that is not sound throws EInvalidGraphic(kInvalidIcon).
std::vector<TIconEntry> ReadIconDirectory(TStream& stream);

// The entry with the most pixels, then the most bits per pixel; the first of equals.
const TIconEntry& LargestIconEntry(const std::vector<TIconEntry>& entries);

}  // namespace huemira
