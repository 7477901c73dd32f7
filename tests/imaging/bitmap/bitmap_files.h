// Hand-built BMP and ICO files for the bitmap and icon reader tests.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace huemira::test {

using Bytes = std::vector<std::uint8_t>;

struct BmpLayout {
  std::uint32_t headerSize = 40;  // 12 writes the OS/2 core header (16-bit sizes, RGB triples)
  std::int32_t width = 1, height = 1;
  std::uint16_t planes = 1, bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::int32_t pixelsPerMetre = 0;
  // Inside a header of 52 bytes or more, otherwise right after the 40-byte header.
  std::vector<std::uint32_t> masks;
  std::vector<std::uint32_t> palette;        // 0x00RRGGBB
  std::size_t gap = 0;                       // bytes between the colour table and the pixels
  Bytes pixels;                              // as stored
  std::optional<std::uint32_t> pixelOffset;  // what the file header says, when it lies
};
Bytes BmpFile(const BmpLayout& layout);

// Rows in stored order, each padded to 32 bits.
Bytes PaddedRows(const std::vector<Bytes>& rows);

// The image of an icon stored as a bitmap: header (height counting both
// masks), colour table, colour rows and AND rows, both in stored (bottom-up) order.
Bytes IconBitmapImage(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                      const std::vector<std::uint32_t>& palette, const std::vector<Bytes>& colorRows,
                      const std::vector<Bytes>& maskRows);

struct IconEntry {
  Bytes image;
  // The directory's own fields, which readers must not trust.
  std::uint8_t width = 0, height = 0;
  std::uint16_t bitCount = 0;
  std::optional<std::uint32_t> size, offset;  // lies, when set
};
Bytes IconFile(const std::vector<IconEntry>& entries, std::uint16_t type = 1);

}  // namespace huemira::test
