// Turns stored rows of a device-independent bitmap into blue, green, red
// (and alpha) bytes: palette indexes through the colour table, 16- and
// 32-bit pixels through their channel masks. A channel of n < 8 bits is
// widened by repeating its bits, so that its largest value becomes 255
// (5-bit 0x10 becomes 0x84, 6-bit 0x20 becomes 0x82); a wider one keeps its
// top 8 bits.
#pragma once

#include <array>
#include <cstdint>

#include "imaging/bitmap/dib_header.h"
#include "imaging/dib/dib_format.h"

namespace huemira {

class TDibRowConverter {
 public:
  // palette is what indexes past the stored table find: its entries there are black.
  TDibRowConverter(const TDibHeader& header, const TLogPalette& palette);

  // width x (blue, green, red); any alpha is left out.
  void ToBgr(const std::uint8_t* row, std::uint8_t* out) const;
  // width x (blue, green, red, alpha); alpha is 255 where the bitmap has none.
  void ToBgra(const std::uint8_t* row, std::uint8_t* out) const;
  bool HasAlphaChannel() const { return alpha_.mask != 0; }

 private:
  struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;  // of the mask's lowest bit, plus the bits beyond 8 that are dropped
    std::array<std::uint8_t, 256> widen{};
  };
  static Channel MakeChannel(std::uint32_t mask);
  template <int kOutBytes>
  void Convert(const std::uint8_t* row, std::uint8_t* out) const;

  int width_;
  int bitCount_;
  TLogPalette palette_;
  Channel red_, green_, blue_, alpha_;
};

}  // namespace huemira
