// Writing a bottom-up buffer as a version 5 run-length PCX file.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/dib/little_endian.h"
#include "imaging/pcx_tga/pcx_codec.h"

namespace huemira {

namespace {

constexpr std::size_t kMaxRun = 63;

// Appends one run-length encoded plane line to out.
void EncodeLine(const std::uint8_t* line, std::size_t length, std::vector<std::uint8_t>& out) {
  std::size_t i = 0;
  while (i < length) {
    const std::uint8_t value = line[i];
    std::size_t run = 1;
    while (i + run < length && run < kMaxRun && line[i + run] == value) ++run;
    if (run == 1 && value < 0xC0) {
      out.push_back(value);
    } else {
      out.push_back(static_cast<std::uint8_t>(0xC0 | run));
      out.push_back(value);
    }
    i += run;
  }
}

int Brightness(const BmcRgb& c) { return 30 * c.red + 60 * c.green + 10 * c.blue; }

}  // namespace

int PcxWrite(TStream& stream, const BmcHeader& header, const BmcColorMap& color_map, const BmcPixelBuffer& buffer,
             std::string_view, BmcProgress progress, void* progress_data) {
  const int bpp = header.bpp;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) return BMC_NOT_SUPPORTED;
  // The header keeps the last column and row in 16-bit fields.
  if (header.width < 1 || header.height < 1 || header.width > 65536 || header.height > 65536) return BMC_BAD_SIZE;
  const int bits_per_plane = bpp == 24 ? 8 : bpp;
  const int planes = bpp == 24 ? 3 : 1;
  std::size_t line_bytes = (static_cast<std::size_t>(bits_per_plane) * header.width + 7) / 8;
  line_bytes += line_bytes % 2;
  if (line_bytes > 0xFFFF) return BMC_BAD_SIZE;

  std::uint8_t head[kPcxHeaderSize] = {};
  head[0] = kPcxManufacturer;
  head[1] = 5;
  head[2] = 1;
  head[3] = static_cast<std::uint8_t>(bits_per_plane);
  PutLe16(head + 8, static_cast<std::uint32_t>(header.width - 1));
  PutLe16(head + 10, static_cast<std::uint32_t>(header.height - 1));
  if (bpp == 4) {
    for (int i = 0; i < 16; ++i) {
      head[16 + 3 * i] = color_map[i].red;
      head[17 + 3 * i] = color_map[i].green;
      head[18 + 3 * i] = color_map[i].blue;
    }
  }
  head[65] = static_cast<std::uint8_t>(planes);
  PutLe16(head + 66, static_cast<std::uint32_t>(line_bytes));
  PutLe16(head + 68, 1);

  try {
    if (stream.Write(head, sizeof head) != sizeof head) return BMC_CANNOT_WRITE;
    // Set bits mean white in the file, so a white-on-black map is written inverted.
    const bool invert = bpp == 1 && Brightness(color_map[1]) < Brightness(color_map[0]);
    const std::size_t picture_bits = static_cast<std::size_t>(bits_per_plane) * header.width;
    const std::size_t used_bytes = (picture_bits + 7) / 8;
    const int tail_bits = bpp == 24 ? 0 : static_cast<int>(picture_bits % 8);
    std::vector<std::uint8_t> line(line_bytes);
    std::vector<std::uint8_t> encoded;
    encoded.reserve(2 * line_bytes * planes);
    for (std::int32_t r = 0; r < header.height; ++r) {
      const std::uint8_t* row = buffer.Row(header.height - 1 - r);
      encoded.clear();
      if (bpp == 24) {
        for (int plane = 0; plane < 3; ++plane) {
          const int channel = 2 - plane;  // red, green, blue from bytes 2, 1, 0
          for (std::int32_t x = 0; x < header.width; ++x) line[x] = row[3 * x + channel];
          EncodeLine(line.data(), line_bytes, encoded);
        }
      } else {
        // Only the picture's own bits go out; the row's padding is not part of it.
        std::memcpy(line.data(), row, used_bytes);
        std::fill(line.begin() + used_bytes, line.end(), std::uint8_t{0});
        if (tail_bits != 0) line[used_bytes - 1] &= static_cast<std::uint8_t>(0xFF << (8 - tail_bits));
        if (invert) {
          for (std::size_t i = 0; i < line_bytes; ++i) line[i] = static_cast<std::uint8_t>(~line[i]);
        }
        EncodeLine(line.data(), line_bytes, encoded);
      }
      if (stream.Write(encoded.data(), encoded.size()) != encoded.size()) return BMC_CANNOT_WRITE;
      BmcReportRow(progress, progress_data, r, header.height - 1);
    }
    if (bpp == 8) {
      std::uint8_t trailer[kPcxTrailerSize];
      trailer[0] = kPcxPaletteMarker;
      for (int i = 0; i < 256; ++i) {
        trailer[1 + 3 * i] = color_map[i].red;
        trailer[2 + 3 * i] = color_map[i].green;
        trailer[3 + 3 * i] = color_map[i].blue;
      }
      if (stream.Write(trailer, sizeof trailer) != sizeof trailer) return BMC_CANNOT_WRITE;
    }
  } catch (const std::bad_alloc&) {
    return BMC_OUT_OF_MEMORY;
  }
  return BMC_OK;
}

}  // namespace huemira
