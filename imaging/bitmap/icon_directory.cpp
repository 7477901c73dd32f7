#include "imaging/bitmap/icon_directory.h"

#include <algorithm>
#include <cstring>

#include "framework/exception.h"
#include "imaging/bitmap/dib_header.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/little_endian.h"
#include "imaging/dib/stream_window.h"

namespace huemira {
namespace {

constexpr std::int64_t kDirectoryHeaderSize = 6;
constexpr std::int64_t kEntrySize = 16;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint8_t kPngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
// Signature, then the IHDR chunk: length, "IHDR", width, height, bit depth, colour type.
constexpr std::size_t kPngStartSize = 8 + 8 + 10;

[[noreturn]] void Invalid() { throw EInvalidGraphic(kInvalidIcon); }

std::uint32_t GetBe32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Channels of each PNG colour type: gray, -, RGB, palette, gray + alpha, -, RGBA.
int PngChannels(int colorType) {
  switch (colorType) {
    case 0:
    case 3: return 1;
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: Invalid();
  }
}

void ReadImageHeader(TStream& file, TIconEntry& entry) {
  TStreamWindow image(file, entry.offset, entry.size);
  std::uint8_t start[kPngStartSize] = {};
  const std::size_t got = image.Read(start, sizeof start);
  entry.png = got >= sizeof kPngSignature && std::memcmp(start, kPngSignature, sizeof kPngSignature) == 0;
  if (!entry.png) {
    const TDibHeader header = ReadDibHeader(image, 0, TDibUse::IconImage, kInvalidIcon);
    entry.width = header.width;
    entry.height = header.height;
    entry.bitsPerPixel = header.bitCount;
    return;
  }
  if (got != sizeof start || std::memcmp(start + 12, "IHDR", 4) != 0) Invalid();
  const std::uint32_t width = GetBe32(start + 16), height = GetBe32(start + 20);
  if (!ImageSizeAllowed(width, height)) Invalid();
  entry.width = static_cast<std::int32_t>(width);
  entry.height = static_cast<std::int32_t>(height);
  entry.bitsPerPixel = start[24] * PngChannels(start[25]);
}

}  // namespace

bool IsIconDirectory(const std::uint8_t* header) {
  return GetLe16(header) == 0 && GetLe16(header + 2) == kIconType && GetLe16(header + 4) != 0;
}

std::vector<TIconEntry> ReadIconDirectory(TStream& stream) {
  const std::int64_t fileSize = stream.Size();
  std::uint8_t header[kDirectoryHeaderSize];
  ReadBytesAt(stream, 0, header, sizeof header, kInvalidIcon);
  if (!IsIconDirectory(header)) Invalid();
  const int count = GetLe16(header + 4);
  const std::int64_t directoryEnd = kDirectoryHeaderSize + count * kEntrySize;
  std::vector<std::uint8_t> raw(static_cast<std::size_t>(count * kEntrySize));
  ReadBytesAt(stream, kDirectoryHeaderSize, raw.data(), raw.size(), kInvalidIcon);

  std::vector<TIconEntry> entries(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* field = raw.data() + i * kEntrySize;
    TIconEntry& entry = entries[static_cast<std::size_t>(i)];
    entry.size = GetLe32(field + 8);
    entry.offset = GetLe32(field + 12);
    // An image inside the directory or past the end of the file is a lie.
    if (entry.size == 0 || entry.offset < directoryEnd || entry.offset > fileSize - entry.size) Invalid();
    ReadImageHeader(stream, entry);
  }
  return entries;
}

const TIconEntry& LargestIconEntry(const std::vector<TIconEntry>& entries) {
  const auto smaller = [](const TIconEntry& a, const TIconEntry& b) {
    const std::int64_t pixelsA = std::int64_t{a.width} * a.height, pixelsB = std::int64_t{b.width} * b.height;
    return pixelsA != pixelsB ? pixelsA < pixelsB : a.bitsPerPixel < b.bitsPerPixel;
  };
  // max_element keeps the first of equal elements.
  return *std::max_element(entries.begin(), entries.end(), smaller);
}

}  // namespace huemira
