// GIF's variable-length LZW: the decoder writes straight into the rows of
// an indexed DIB, the encoder reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace huemira {

// Where decoded pixels go: a bottom-up DIB block of height rows of stride
// bytes, bitsPerPixel 1, 4 or 8.
struct TLzwTarget {
  std::uint8_t* bits = nullptr;
  std::ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 8;
  bool interlaced = false;
};

// Percent of the compressed data consumed so far; called only when it changes.
using TLzwProgress = std::function<void(int percent)>;

// Decodes size bytes of compressed data (the code size byte followed by data
// sub-blocks) into target. frameBits (1-8) decides which codes are single
// pixels. Returns true when the data was damaged and the frame is to be
// marked corrupted; without GifTolerateCorruption the damage is an error.
// Pixels that the data does not reach are index 0.
bool DecodeGifLzw(const std::uint8_t* compressed, std::size_t size, int frameBits, const TLzwTarget& target,
                  const TLzwProgress& progress);

// A source of pixel indexes for the encoder: row y (0 = top) as width bytes.
using TLzwRowSource = std::function<const std::uint8_t*(int y)>;

// Encodes height rows of width indexes of bitsPerPixel (1, 4 or 8) bits into
// the code size byte, 255-byte sub-blocks and a zero terminator.
std::vector<std::uint8_t> EncodeGifLzw(int width, int height, int bitsPerPixel, const TLzwRowSource& rows,
                                       const std::function<void(int row)>& progress);

}  // namespace huemira
