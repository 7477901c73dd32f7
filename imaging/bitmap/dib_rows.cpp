#include "imaging/bitmap/dib_rows.h"

#include <cstring>

namespace huemira {
namespace {

int LowestBit(std::uint32_t mask) {
  int bit = 0;
  while (!(mask & 1)) {
    mask >>= 1;
    ++bit;
  }
  return bit;
}

int BitCount(std::uint32_t mask) {
  int count = 0;
  for (; mask; mask &= mask - 1) ++count;
  return count;
}

// An n-bit value (1 <= n <= 8) spread over 8 bits by repeating its bits.
std::uint8_t WidenTo8Bits(unsigned value, int bits) {
  unsigned wide = 0;
  for (int shift = 8 - bits; shift > -bits; shift -= bits) wide |= shift >= 0 ? value << shift : value >> -shift;
  return static_cast<std::uint8_t>(wide);
}

}  // namespace

TDibRowConverter::Channel TDibRowConverter::MakeChannel(std::uint32_t mask) {
  Channel channel;
  channel.mask = mask;
  if (mask == 0) return channel;
  const int bits = BitCount(mask);
  const int kept = bits > 8 ? 8 : bits;
  channel.shift = LowestBit(mask) + (bits - kept);
  for (unsigned value = 0; value < (1u << kept); ++value) channel.widen[value] = WidenTo8Bits(value, kept);
  return channel;
}

TDibRowConverter::TDibRowConverter(const TDibHeader& header, const TLogPalette& palette)
    : width_(header.width),
      bitCount_(header.bitCount),
      palette_(palette),
      red_(MakeChannel(header.masks.red)),
      green_(MakeChannel(header.masks.green)),
      blue_(MakeChannel(header.masks.blue)),
      alpha_(MakeChannel(header.masks.alpha)) {}

void TDibRowConverter::ToBgr(const std::uint8_t* row, std::uint8_t* out) const { Convert<3>(row, out); }
void TDibRowConverter::ToBgra(const std::uint8_t* row, std::uint8_t* out) const { Convert<4>(row, out); }

template <int kOutBytes>
void TDibRowConverter::Convert(const std::uint8_t* row, std::uint8_t* out) const {
  const auto put = [out](int x, std::uint8_t blue, std::uint8_t green, std::uint8_t red, std::uint8_t alpha) {
    std::uint8_t* pixel = out + static_cast<std::ptrdiff_t>(x) * kOutBytes;
    pixel[0] = blue;
    pixel[1] = green;
    pixel[2] = red;
    if constexpr (kOutBytes == 4) pixel[3] = alpha;
  };
  const auto channel = [](const Channel& c, std::uint32_t pixel) { return c.widen[(pixel & c.mask) >> c.shift]; };

  switch (bitCount_) {
    case 1:
    case 4:
    case 8: {
      const int perByte = 8 / bitCount_;
      const unsigned lowBits = (1u << bitCount_) - 1;
      for (int x = 0; x < width_; ++x) {
        const int shift = 8 - bitCount_ * (x % perByte + 1);
        const TPaletteEntry& entry = palette_.entries[(row[x / perByte] >> shift) & lowBits];
        put(x, entry.blue, entry.green, entry.red, 0xFF);
      }
      break;
    }
    case 24:
      if constexpr (kOutBytes == 3) {
        std::memcpy(out, row, static_cast<std::size_t>(width_) * 3);
      } else {
        for (int x = 0; x < width_; ++x) put(x, row[3 * x], row[3 * x + 1], row[3 * x + 2], 0xFF);
      }
      break;
    default: {
      const bool sixteen = bitCount_ == 16;
      for (int x = 0; x < width_; ++x) {
        const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * (sixteen ? 2 : 4);
        const std::uint32_t pixel =
            sixteen ? p[0] | p[1] << 8 : p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        put(x, channel(blue_, pixel), channel(green_, pixel), channel(red_, pixel),
            alpha_.mask ? channel(alpha_, pixel) : 0xFF);
      }
      break;
    }
  }
}

}  // namespace huemira
