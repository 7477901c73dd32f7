#include "imaging/bitmap/bmp_graphic.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/exception.h"
#include "imaging/bitmap/dib_header.h"
#include "imaging/bitmap/dib_rows.h"
#include "imaging/bitmap/rle_decoder.h"
#include "imaging/dib/bmp_writer.h"
#include "imaging/dib/little_endian.h"
#include "imaging/dib/picture_start.h"
#include "imaging/dib/resolution.h"

namespace huemira {
namespace {

constexpr char kInvalidBitmap[] = "Bitmap image is not valid";
constexpr std::int64_t kFileHeaderSize = 14;
// Uncompressed rows are read in blocks of about this size.
constexpr std::int64_t kBlockBytes = 1 << 20;

[[noreturn]] void Invalid() { throw EInvalidGraphic(kInvalidBitmap); }

// Bytes that uncompressed pixels need: the last row may lack its padding.
std::int64_t UncompressedBytes(const TDibHeader& header) {
  return header.Stride() * (header.height - 1) + (std::int64_t{header.width} * header.bitCount + 7) / 8;
}

// Uncompressed pixels from `offset` on, which the file holds: rows that are
// stored exactly as the image keeps them are copied, others go through the
// converter. Every block is read into one reused buffer, never straight into
// the image's fresh memory: under Wine a file read into untouched pages costs
// the system a fault per page, five times the whole read for a large photo.
void ReadUncompressedRows(TStream& file, std::int64_t offset, const TDibHeader& header, TDibGraphic& image,
                          const TDibRowConverter& converter) {
  const std::int64_t stride = header.Stride();
  const int height = header.height;
  const std::int64_t available = file.Size() - offset;

  const bool stored = header.bitCount <= 8 || header.bitCount == 24;
  // Bottom-up stored rows are the image's own memory order: a block is one copy.
  const bool direct = stored && !header.topDown;
  const int blockRows = static_cast<int>(std::clamp<std::int64_t>(kBlockBytes / stride, 1, height));
  std::vector<std::uint8_t> block(static_cast<std::size_t>(blockRows * stride));
  int percent = PercentStep(image, 0, 0, 255, height, image.OnPercentDone);
  for (int first = 0; first < height; first += blockRows) {
    const int rows = std::min(blockRows, height - first);
    const std::int64_t wanted = rows * stride;
    const std::int64_t bytes = std::min(wanted, available - first * stride);
    ReadBytesAt(file, offset + first * stride, block.data(), static_cast<std::size_t>(bytes), kInvalidBitmap);
    std::memset(block.data() + bytes, 0, static_cast<std::size_t>(wanted - bytes));
    if (direct) std::memcpy(image.Bits() + first * stride, block.data(), static_cast<std::size_t>(wanted));
    for (int i = 0; !direct && i < rows; ++i) {
      const int fileRow = first + i;
      std::uint8_t* line = image.GetScanLine(header.topDown ? fileRow : height - 1 - fileRow);
      const std::uint8_t* source = block.data() + i * stride;
      if (stored) {
        std::memcpy(line, source, static_cast<std::size_t>(stride));
      } else {
        converter.ToBgr(source, line);
      }
    }
    percent = PercentStep(image, first + rows, 0, percent, height, image.OnPercentDone);
  }
}

}  // namespace

bool TBmpGraphic::CanLoadStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t start_bytes[kFileHeaderSize + 4];
  const std::size_t got = stream.Read(start_bytes, sizeof start_bytes);
  stream.SetPosition(start);
  if (got != sizeof start_bytes || start_bytes[0] != 'B' || start_bytes[1] != 'M') return false;
  switch (GetLe32(start_bytes + kFileHeaderSize)) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 108:
    case 124: return true;
    default: return false;
  }
}

void TBmpGraphic::ReadImage(TStream& stream, int) {
  ReadFromPictureStart(stream, [this](TStream& file) {
    std::uint8_t fileHeader[kFileHeaderSize];
    ReadBytesAt(file, 0, fileHeader, sizeof fileHeader, kInvalidBitmap);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') Invalid();
    // The file size field is often wrong in real files and is not needed.
    const std::int64_t pixelOffset = GetLe32(fileHeader + 10);
    const TDibHeader header = ReadDibHeader(file, kFileHeaderSize, TDibUse::File, kInvalidBitmap);
    if (pixelOffset < header.tableOffset || pixelOffset >= file.Size()) Invalid();

    // The pixels may start after a gap, or where the colour table was cut
    // short: only the entries before them are the palette.
    const int paletteEntries = static_cast<int>(
        std::min<std::int64_t>(header.paletteEntries, (pixelOffset - header.tableOffset) / header.tableEntrySize));
    const TLogPalette palette = ReadDibPalette(file, header, paletteEntries, kInvalidBitmap);
    const TDibRowConverter converter(header, palette);
    const bool compressed = header.compression == TDibCompression::Rle4 || header.compression == TDibCompression::Rle8;
    // Before anything is allocated: uncompressed pixels must all be in the file.
    if (!compressed && file.Size() - pixelOffset < UncompressedBytes(header)) Invalid();

    const TDibFormat format = DibFormatFor(header.bitCount);
    NewImage(header.width, header.height, format, HasPalette(format) ? &palette : nullptr,
             HeaderDpi(header.xPelsPerMeter), HeaderDpi(header.yPelsPerMeter));
    if (compressed) {
      std::memset(Bits(), 0, ImageSize());
      DecodeRleBitmap(file, pixelOffset, header, *this, kInvalidBitmap);
    } else {
      ReadUncompressedRows(file, pixelOffset, header, *this, converter);
    }
  });
}

void TBmpGraphic::SaveToStream(TStream& stream) { SaveToBmp(*this, stream); }

}  // namespace huemira
