// Building GIF files byte by byte, and reading decoded pixels back, for the
// GIF tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "imaging/gif/gif_image.h"

namespace huemira::test {

using Rgb = std::array<std::uint8_t, 3>;

class GifBytes {
 public:
  GifBytes& Bytes(std::initializer_list<int> values);
  GifBytes& Text(const std::string& text);
  GifBytes& Word(std::uint16_t value);
  GifBytes& Header(const std::string& signature = "GIF89a") { return Text(signature); }
  // packed 0x80 | (bits - 1) announces a global table of 2^bits entries.
  GifBytes& Screen(std::uint16_t width, std::uint16_t height, int packed, int background = 0);
  GifBytes& Table(const std::vector<Rgb>& colors);
  GifBytes& GraphicControl(int packed, std::uint16_t delay, int transparentIndex);
  GifBytes& Comment(const std::string& text);
  GifBytes& Descriptor(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height, int packed);
  // The code size byte, payload cut into 255-byte sub-blocks, and the zero terminator.
  GifBytes& ImageData(int codeSize, const std::vector<std::uint8_t>& payload, bool terminate = true);
  GifBytes& Trailer() { return Bytes({0x3B}); }

  std::vector<std::uint8_t> bytes;
};

// (code, width in bits) pairs packed least significant bit first.
std::vector<std::uint8_t> PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codes);

// A valid code stream that sends every pixel as its own code, clearing the
// table before it fills. Widths follow from the number of codes the decoder adds.
std::vector<std::uint8_t> LiteralCodeStream(const std::vector<std::uint8_t>& pixels, int codeSize);

// A whole one-frame GIF with a global table and literal codes.
std::vector<std::uint8_t> SimpleGif(int width, int height, const std::vector<Rgb>& colors,
                                    const std::vector<std::uint8_t>& pixels, int frameExtraPacked = 0);

std::vector<Rgb> Palette(int count);

void LoadGif(TGIFImage& image, const std::vector<std::uint8_t>& bytes);

// Palette indexes of a decoded frame, top row first.
std::vector<std::uint8_t> Indexes(const TDibGraphic& bitmap);
// Colours of a 24-bit image as (red, green, blue) bytes, top row first.
std::vector<std::uint8_t> RgbBytes(const TDibGraphic& bitmap);

}  // namespace huemira::test
