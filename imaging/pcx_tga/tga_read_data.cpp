// Targa pixel data, uncompressed or run-length encoded, decoded straight into
// the bottom-up buffer. 16-bit pixels are parked behind the first Width bytes
// of their row and widened to 24 bits in place once the row is complete.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/dib/image_limits.h"
#include "imaging/dib/byte_reader.h"
#include "imaging/pcx_tga/tga_codec.h"

namespace huemira {

namespace {

constexpr std::uint8_t kPastEndValue = 0xFF;

// Stored rows in file order, mapped onto buffer rows by the descriptor's orientation bit.
class TTgaRows {
 public:
  TTgaRows(const BmcPixelBuffer& buffer, std::int32_t height, bool top_down)
      : buffer_(buffer), height_(height), top_down_(top_down) {}
  std::uint8_t* Row(std::int32_t stored_index) const {
    return buffer_.Row(top_down_ ? height_ - 1 - stored_index : stored_index);
  }
  std::size_t RowBytes() const { return buffer_.row_bytes; }
  // Clears the rows from stored_index on, which the data did not reach.
  void ClearFrom(std::int32_t stored_index) const {
    for (std::int32_t r = stored_index; r < height_; ++r) std::memset(Row(r), 0, buffer_.row_bytes);
  }

 private:
  const BmcPixelBuffer& buffer_;
  std::int32_t height_;
  bool top_down_;
};

// 16-bit words (blue in bits 0-4, green 5-9, red 10-14) at row + width into
// blue, green, red bytes from the row's start. Each word is read before its
// pixel is written, and pixel x never reaches the word of pixel x + 1.
void Widen16(std::uint8_t* row, std::int32_t width) {
  const std::uint8_t* words = row + width;
  for (std::int32_t x = 0; x < width; ++x) {
    const unsigned value = words[2 * x] | (words[2 * x + 1] << 8);
    row[3 * x] = static_cast<std::uint8_t>((value & 0x1F) << 3);
    row[3 * x + 1] = static_cast<std::uint8_t>(((value >> 5) & 0x1F) << 3);
    row[3 * x + 2] = static_cast<std::uint8_t>(((value >> 10) & 0x1F) << 3);
  }
}

// Blue, green, red, alpha into blue, green, red.
void DropAlpha(const std::uint8_t* bgra, std::size_t pixels, std::uint8_t* bgr) {
  for (std::size_t i = 0; i < pixels; ++i) std::memcpy(bgr + 3 * i, bgra + 4 * i, 3);
}

// Bytes of a finished pixel in the row: an index, or blue, green, red.
std::size_t DeliveredBytes(int depth) { return depth == 8 ? 1 : 3; }

// Where pixel x of a row is stored while its row is being decoded.
std::size_t StoreOffset(int depth, std::int32_t width, std::int32_t x) {
  switch (depth) {
    case 8: return static_cast<std::size_t>(x);
    case 16: return static_cast<std::size_t>(width) + 2 * static_cast<std::size_t>(x);
    default: return 3 * static_cast<std::size_t>(x);
  }
}

int ReadUncompressed(TStream& stream, int depth, std::int32_t width, std::int32_t height, const TTgaRows& rows,
                     BmcProgress progress, void* progress_data) {
  const std::size_t line_bytes = static_cast<std::size_t>(width) * (depth / 8);
  std::vector<std::uint8_t> line(depth == 32 ? line_bytes : 0);
  for (std::int32_t r = 0; r < height; ++r) {
    std::uint8_t* row = rows.Row(r);
    std::uint8_t* target = depth == 32 ? line.data() : row + StoreOffset(depth, width, 0);
    if (stream.Read(target, line_bytes) != line_bytes) {
      rows.ClearFrom(r);
      return BMC_CANNOT_READ;
    }
    if (depth == 16) Widen16(row, width);
    if (depth == 32) DropAlpha(line.data(), static_cast<std::size_t>(width), row);
    BmcClearTail(row, static_cast<std::size_t>(width) * DeliveredBytes(depth), rows.RowBytes());
    BmcReportRow(progress, progress_data, r, height - 1);
  }
  return BMC_OK;
}

// Packets run on across row ends; pixels past the last row are dropped.
int ReadRunLength(TStream& stream, int depth, std::int32_t width, std::int32_t height, const TTgaRows& rows,
                  BmcProgress progress, void* progress_data) {
  const std::size_t stored_bytes = static_cast<std::size_t>(depth / 8);  // per pixel in the file
  const std::size_t parked_bytes = depth == 32 ? 3 : stored_bytes;         // per pixel while its row fills
  TByteReader reader(stream);
  std::uint8_t raw[128 * 4];
  std::int32_t r = 0;
  std::int32_t x = 0;
  std::uint8_t* row = rows.Row(0);

  // Reads count bytes; what the data no longer holds reads as 0xFF.
  auto read_filled = [&](std::uint8_t* out, std::size_t count) {
    const std::size_t got = reader.ReadInto(out, count);
    std::memset(out + got, kPastEndValue, count - got);
  };
  auto advance = [&](std::int32_t pixels) {
    x += pixels;
    if (x < width) return;
    if (depth == 16) Widen16(row, width);
    BmcClearTail(row, static_cast<std::size_t>(width) * DeliveredBytes(depth), rows.RowBytes());
    BmcReportRow(progress, progress_data, r, height - 1);
    x = 0;
    if (++r < height) row = rows.Row(r);
  };

  while (r < height) {
    const int packet = reader.Next();
    if (packet < 0) {
      rows.ClearFrom(r);
      return BMC_CANNOT_READ;
    }
    std::int32_t count = (packet & 0x7F) + 1;
    if (packet & 0x80) {
      std::uint8_t pixel[4];
      read_filled(pixel, stored_bytes);
      while (count > 0 && r < height) {
        const std::int32_t n = std::min(count, width - x);
        std::uint8_t* out = row + StoreOffset(depth, width, x);
        if (parked_bytes == 1) {
          std::memset(out, pixel[0], static_cast<std::size_t>(n));
        } else {
          for (std::int32_t i = 0; i < n; ++i) std::memcpy(out + i * parked_bytes, pixel, parked_bytes);
        }
        count -= n;
        advance(n);
      }
    } else {
      while (count > 0 && r < height) {
        const std::int32_t n = std::min(count, width - x);
        std::uint8_t* out = row + StoreOffset(depth, width, x);
        if (depth == 32) {
          read_filled(raw, static_cast<std::size_t>(n) * 4);
          DropAlpha(raw, static_cast<std::size_t>(n), out);
        } else {
          read_filled(out, static_cast<std::size_t>(n) * stored_bytes);
        }
        count -= n;
        advance(n);
      }
    }
  }
  return BMC_OK;
}

}  // namespace

int TgaReadData(TStream& stream, const BmcHeader& header, const BmcPixelBuffer& buffer, BmcProgress progress,
                void* progress_data) {
  const auto* info = std::get_if<TgaHeaderInfo>(&header.codec);
  if (!info || header.width < 1 || header.height < 1) return BMC_BAD_ARGUMENT;
  const int depth = info->pixel_depth;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return BMC_BAD_ARGUMENT;
  if (buffer.row_bytes < static_cast<std::size_t>(DibStride(header.width, depth == 8 ? 8 : 24))) {
    return BMC_BAD_ARGUMENT;
  }
  std::int64_t offset = kTgaHeaderSize + info->id_length;
  if (info->color_map_type != 0) {
    const int entry_bits = info->color_map_entry_bits == 15 ? 16 : info->color_map_entry_bits;
    offset += std::int64_t{info->color_map_length} * entry_bits / 8;
  }
  const TTgaRows rows(buffer, header.height, (info->descriptor & kTgaTopDown) != 0);
  try {
    stream.Seek(offset, SeekOrigin::Begin);
    if (info->image_type & kTgaRunLengthFlag) {
      return ReadRunLength(stream, depth, header.width, header.height, rows, progress, progress_data);
    }
    return ReadUncompressed(stream, depth, header.width, header.height, rows, progress, progress_data);
  } catch (const std::bad_alloc&) {
    // Only the buffers made before the first row can fail.
    BmcClearAllRows(buffer, header.height);
    return BMC_OUT_OF_MEMORY;
  }
}

}  // namespace huemira
