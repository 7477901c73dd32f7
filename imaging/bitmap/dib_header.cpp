#include "imaging/bitmap/dib_header.h"

#include "framework/exception.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/little_endian.h"

namespace huemira {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestHeaderSize = 124;  // BITMAPV5HEADER

// biCompression values.
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

[[noreturn]] void Invalid(const char* message) { throw EInvalidGraphic(message); }

bool KnownHeaderSize(std::uint32_t size) {
  // 52 and 56 are the Adobe extensions of the info header (RGB and RGBA
  // masks inside it), 108 and 124 the V4 and V5 headers. OS/2 2.x headers
  // (16 or 64 bytes) give the compression values other meanings, so they
  // are not taken for Windows ones.
  switch (size) {
    case kCoreHeaderSize:
    case kInfoHeaderSize:
    case 52:
    case 56:
    case 108:
    case kLargestHeaderSize: return true;
    default: return false;
  }
}

bool MaskIsOneRun(std::uint32_t mask) {
  if (mask == 0) return true;
  while (!(mask & 1)) mask >>= 1;
  return (mask & (mask + 1)) == 0;
}

void CheckMasks(const TChannelMasks& masks, int bitCount, const char* invalid) {
  const std::uint32_t all = masks.red | masks.green | masks.blue | masks.alpha;
  if (bitCount == 16 && (all >> 16) != 0) Invalid(invalid);
  for (std::uint32_t mask : {masks.red, masks.green, masks.blue, masks.alpha}) {
    if (!MaskIsOneRun(mask)) Invalid(invalid);
  }
}

TChannelMasks DefaultMasks(int bitCount) {
  // What Windows assumes without bit fields: 5-5-5 with the top bit unused,
  // and blue, green, red, alpha bytes (the alpha byte matters to icons only).
  if (bitCount == 16) return {0x7C00, 0x03E0, 0x001F, 0};
  return {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
}

}  // namespace

std::int64_t TDibHeader::Stride() const { return DibStride(width, bitCount); }

void ReadBytesAt(TStream& stream, std::int64_t position, void* buffer, std::size_t count, const char* invalid) {
  const std::int64_t size = stream.Size();
  if (position < 0 || static_cast<std::int64_t>(count) > size || position > size - static_cast<std::int64_t>(count)) {
    Invalid(invalid);
  }
  stream.SetPosition(position);
  if (stream.Read(buffer, count) != count) Invalid(invalid);
}

TDibHeader ReadDibHeader(TStream& stream, std::int64_t at, TDibUse use, const char* invalid) {
  std::uint8_t raw[kLargestHeaderSize] = {};
  ReadBytesAt(stream, at, raw, 4, invalid);
  const std::uint32_t headerSize = GetLe32(raw);
  if (!KnownHeaderSize(headerSize)) Invalid(invalid);
  ReadBytesAt(stream, at, raw, headerSize, invalid);

  TDibHeader header;
  std::int64_t width = 0, height = 0;
  int planes = 0;
  std::uint32_t compression = kBiRgb, colorsUsed = 0;
  if (headerSize == kCoreHeaderSize) {
    width = GetLe16(raw + 4);
    height = GetLe16(raw + 6);
    planes = GetLe16(raw + 8);
    header.bitCount = GetLe16(raw + 10);
    header.tableEntrySize = 3;
  } else {
    width = static_cast<std::int32_t>(GetLe32(raw + 4));
    height = static_cast<std::int32_t>(GetLe32(raw + 8));
    planes = GetLe16(raw + 12);
    header.bitCount = GetLe16(raw + 14);
    compression = GetLe32(raw + 16);
    header.xPelsPerMeter = static_cast<std::int32_t>(GetLe32(raw + 24));
    header.yPelsPerMeter = static_cast<std::int32_t>(GetLe32(raw + 28));
    colorsUsed = GetLe32(raw + 32);
  }
  if (planes != 1) Invalid(invalid);
  switch (header.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24: break;
    case 16:
    case 32:
      if (headerSize == kCoreHeaderSize) Invalid(invalid);
      break;
    default: Invalid(invalid);
  }

  header.topDown = height < 0;
  if (header.topDown) height = -height;
  if (use == TDibUse::IconImage) {
    if (header.topDown) Invalid(invalid);
    height /= 2;
  }
  if (!ImageSizeAllowed(width, height)) Invalid(invalid);
  header.width = static_cast<std::int32_t>(width);
  header.height = static_cast<std::int32_t>(height);

  std::int64_t masksAfterHeader = 0;
  switch (compression) {
    case kBiRgb:
      header.compression = TDibCompression::Rgb;
      if (header.bitCount > 8) header.masks = DefaultMasks(header.bitCount);
      break;
    case kBiRle8:
    case kBiRle4:
      // A run-length stream is always stored bottom-up: a top-down one has no defined meaning.
      if (header.bitCount != (compression == kBiRle8 ? 8 : 4) || header.topDown || use == TDibUse::IconImage) {
        Invalid(invalid);
      }
      header.compression = compression == kBiRle8 ? TDibCompression::Rle8 : TDibCompression::Rle4;
      break;
    case kBiBitfields:
    case kBiAlphaBitfields: {
      if (header.bitCount != 16 && header.bitCount != 32) Invalid(invalid);
      header.compression = TDibCompression::Bitfields;
      const bool withAlpha = compression == kBiAlphaBitfields;
      const std::uint8_t* masks = raw + kInfoHeaderSize;
      std::uint8_t following[16] = {};
      if (headerSize == kInfoHeaderSize) {
        // The plain info header keeps its masks just after itself.
        masksAfterHeader = withAlpha ? 16 : 12;
        ReadBytesAt(stream, at + headerSize, following, static_cast<std::size_t>(masksAfterHeader), invalid);
        masks = following;
      }
      header.masks.red = GetLe32(masks);
      header.masks.green = GetLe32(masks + 4);
      header.masks.blue = GetLe32(masks + 8);
      // The 52-byte header has no alpha mask; every longer one has.
      if (withAlpha ? headerSize != 52 : headerSize >= 56) header.masks.alpha = GetLe32(masks + 12);
      CheckMasks(header.masks, header.bitCount, invalid);
      break;
    }
    default: Invalid(invalid);  // JPEG, PNG and the OS/2 codings
  }

  header.tableOffset = at + headerSize + masksAfterHeader;
  if (header.bitCount <= 8) {
    const std::uint32_t full = 1u << header.bitCount;
    if (colorsUsed > full) Invalid(invalid);
    header.paletteEntries = static_cast<int>(colorsUsed == 0 ? full : colorsUsed);
    header.tableEntries = header.paletteEntries;
  } else {
    // A true-colour bitmap may carry a table for palette devices, which is
    // skipped; whether the file holds it is asked where the pixels are read.
    header.tableEntries = colorsUsed;
  }
  return header;
}

TLogPalette ReadDibPalette(TStream& stream, const TDibHeader& header, int count, const char* invalid) {
  TLogPalette palette;
  std::uint8_t raw[256 * 4];
  const std::size_t bytes = static_cast<std::size_t>(count) * header.tableEntrySize;
  ReadBytesAt(stream, header.tableOffset, raw, bytes, invalid);
  palette.count = static_cast<std::uint16_t>(count);
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* entry = raw + static_cast<std::ptrdiff_t>(i) * header.tableEntrySize;
    palette.entries[i] = {entry[2], entry[1], entry[0], 0};
  }
  return palette;
}

TDibFormat DibFormatFor(int bitCount) {
  switch (bitCount) {
    case 1: return TDibFormat::ifBlackAndWhite;
    case 4: return TDibFormat::ifColor16;
    case 8: return TDibFormat::ifColor256;
    default: return TDibFormat::ifColorRgb24;
  }
}

}  // namespace huemira
