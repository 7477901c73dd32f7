// PCX pixel data: rows in file order (top first), each made of one plane line
// per plane, decoded straight into the bottom-up buffer.
#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/dib/image_limits.h"
#include "imaging/pcx_tga/pcx_codec.h"
#include "imaging/pcx_tga/pcx_line_decoder.h"

namespace huemira {

namespace {

// For each byte of a 1-bit plane (8 pixels, leftmost in bit 7): the 4 bytes of
// 4-bit pixels in which those pixels have bit 0 of their index set.
using TPlaneSpread = std::array<std::array<std::uint8_t, 4>, 256>;

constexpr TPlaneSpread MakePlaneSpread() {
  TPlaneSpread spread{};
  for (int value = 0; value < 256; ++value) {
    for (int pixel = 0; pixel < 8; ++pixel) {
      if (value & (0x80 >> pixel)) spread[value][pixel / 2] |= (pixel % 2 == 0) ? 0x10 : 0x01;
    }
  }
  return spread;
}

constexpr TPlaneSpread kPlaneSpread = MakePlaneSpread();

// Bytes of one plane line that hold the picture's pixels.
std::size_t PlaneBytes(std::int32_t width, int bits_per_plane) {
  return (static_cast<std::size_t>(width) * bits_per_plane + 7) / 8;
}

// Four 1-bit planes: plane k gives bit k of every pixel's 4-bit index.
void MergeBitPlanes(const std::uint8_t* planes, std::size_t plane_bytes, std::int32_t width, std::uint8_t* row,
                    std::size_t row_bytes) {
  const std::size_t out_bytes = (static_cast<std::size_t>(width) + 1) / 2;
  const std::size_t used_bytes = std::min(plane_bytes, PlaneBytes(width, 1));
  std::memset(row, 0, row_bytes);
  for (int plane = 0; plane < 4; ++plane) {
    const std::uint8_t* line = planes + plane * plane_bytes;
    for (std::size_t i = 0; i < used_bytes; ++i) {
      std::uint8_t bits = line[i];
      // Pixels beyond the width in the last byte are not part of the picture.
      const std::size_t pixels_left = static_cast<std::size_t>(width) - 8 * i;
      if (pixels_left < 8) bits &= static_cast<std::uint8_t>(0xFF << (8 - pixels_left));
      const auto& spread = kPlaneSpread[bits];
      for (std::size_t k = 0; k < 4 && 4 * i + k < out_bytes; ++k) {
        row[4 * i + k] |= static_cast<std::uint8_t>(spread[k] << plane);
      }
    }
  }
}

// Red, green and blue plane lines into blue, green, red pixels.
void InterleaveRgbPlanes(const std::uint8_t* planes, std::size_t plane_bytes, std::int32_t width,
                         std::uint8_t* row, std::size_t row_bytes) {
  const std::size_t pixels = std::min(plane_bytes, static_cast<std::size_t>(width));
  const std::uint8_t* red = planes;
  const std::uint8_t* green = planes + plane_bytes;
  const std::uint8_t* blue = planes + 2 * plane_bytes;
  for (std::size_t x = 0; x < pixels; ++x) {
    row[3 * x] = blue[x];
    row[3 * x + 1] = green[x];
    row[3 * x + 2] = red[x];
  }
  BmcClearTail(row, 3 * pixels, row_bytes);
}

}  // namespace

int PcxReadData(TStream& stream, const BmcHeader& header, const BmcPixelBuffer& buffer, BmcProgress progress,
                void* progress_data) {
  const auto* info = std::get_if<PcxHeaderInfo>(&header.codec);
  if (!info || header.width < 1 || header.height < 1 ||
      PcxDeliveredBpp(info->bits_per_plane, info->planes) != header.bpp ||
      buffer.row_bytes < static_cast<std::size_t>(DibStride(header.width, header.bpp))) {
    return BMC_BAD_ARGUMENT;
  }
  const std::size_t line_bytes = info->bytes_per_line;
  const bool planar = info->planes > 1;
  try {
    stream.Seek(kPcxHeaderSize, SeekOrigin::Begin);
    TByteReader reader(stream);
    TPcxLineDecoder decoder(reader, info->truncate_runs);
    // Only the bytes that hold pixels are kept: a line longer than that is
    // decoded and skipped, so a lying bytes-per-line costs no work per line.
    const std::size_t keep = planar ? std::min(line_bytes, PlaneBytes(header.width, info->bits_per_plane))
                                    : std::min(line_bytes, buffer.row_bytes);
    std::vector<std::uint8_t> plane_lines(planar ? keep * info->planes : 0);

    for (std::int32_t r = 0; r < header.height; ++r) {
      std::uint8_t* row = buffer.Row(header.height - 1 - r);
      if (!planar) {
        decoder.DecodeLine(row, keep, line_bytes);
        BmcClearTail(row, keep, buffer.row_bytes);
      } else {
        for (int plane = 0; plane < info->planes; ++plane) {
          decoder.DecodeLine(plane_lines.data() + plane * keep, keep, line_bytes);
        }
        if (info->planes == 4) {
          MergeBitPlanes(plane_lines.data(), keep, header.width, row, buffer.row_bytes);
        } else {
          InterleaveRgbPlanes(plane_lines.data(), keep, header.width, row, buffer.row_bytes);
        }
      }
      BmcReportRow(progress, progress_data, r, header.height - 1);
    }
  } catch (const std::bad_alloc&) {
    // Only the buffers made before the first row can fail.
    BmcClearAllRows(buffer, header.height);
    return BMC_OUT_OF_MEMORY;
  }
  return BMC_OK;
}

}  // namespace huemira
