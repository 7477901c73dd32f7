// The header of a device-independent bitmap as BMP files and icons store it:
// the OS/2 core header (12 bytes) or a Windows info header (40 bytes and its
// 52-, 56-, 108- and 124-byte extensions), the channel masks, and where the
// colour table lies. Reading it checks everything the pixels will rely on,
// including the decoded-size cap, before anything is allocated.
#pragma once

#include <cstdint>

#include "framework/stream.h"
#include "imaging/dib/dib_format.h"

namespace huemira {

enum class TDibCompression { Rgb, Rle8, Rle4, Bitfields };

// Where the channels of a 16- or 32-bit pixel lie. Each mask is one run of
// set bits or zero (the channel is then 0, or opaque for alpha).
struct TChannelMasks {
  std::uint32_t red, green, blue, alpha;
};

// A BMP file holds one bitmap; an icon image stacks its AND mask on top of
// the colour bitmap, so its header counts the rows of both.
enum class TDibUse { File, IconImage };

struct TDibHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // rows of the picture, always positive
  bool topDown = false;     // the first stored row is the top one
  int bitCount = 0;         // 1, 4, 8, 16, 24 or 32
  TDibCompression compression = TDibCompression::Rgb;
  TChannelMasks masks{};  // 16 and 32 bits only
  std::int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;

  std::int64_t tableOffset = 0;   // the colour table, right after the header and its masks
  std::int64_t tableEntries = 0;  // entries stored there (a true-colour bitmap may carry some too)
  int tableEntrySize = 4;         // 3 for the core header's RGB triples
  int paletteEntries = 0;         // entries the pixels index: 0 above 8 bits

  std::int64_t Stride() const;
  std::int64_t TableEnd() const { return tableOffset + std::int64_t{tableEntries} * tableEntrySize; }
};

// Reads the header that starts at position `at` of stream; nothing past
// stream.Size() is trusted. Any header that does not describe a bitmap this
// reader can decode, or one larger than the size cap, throws EInvalidGraphic
// with the message `invalid`.
TDibHeader ReadDibHeader(TStream& stream, std::int64_t at, TDibUse use, const char* invalid);

// The first `count` entries of the colour table (count <= header.paletteEntries).
TLogPalette ReadDibPalette(TStream& stream, const TDibHeader& header, int count, const char* invalid);

// Reads exactly count bytes at position, or throws EInvalidGraphic(invalid):
// the one read that the bitmap readers use for anything the file claims.
void ReadBytesAt(TStream& stream, std::int64_t position, void* buffer, std::size_t count, const char* invalid);

// The pixel format a bitmap of bitCount bits keeps: its palette format, or true colour.
TDibFormat DibFormatFor(int bitCount);

}  // namespace huemira
