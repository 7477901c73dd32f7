#include "bitmap_files.h"

namespace huemira::test {
namespace {

void Put16(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

}  // namespace

Bytes BmpFile(const BmpLayout& layout) {
  Bytes header;
  Put32(header, layout.headerSize);
  if (layout.headerSize == 12) {
    Put16(header, static_cast<std::uint16_t>(layout.width));
    Put16(header, static_cast<std::uint16_t>(layout.height));
    Put16(header, layout.planes);
    Put16(header, layout.bitCount);
  } else {
    Put32(header, static_cast<std::uint32_t>(layout.width));
    Put32(header, static_cast<std::uint32_t>(layout.height));
    Put16(header, layout.planes);
    Put16(header, layout.bitCount);
    Put32(header, layout.compression);
    Put32(header, static_cast<std::uint32_t>(layout.pixels.size()));
    Put32(header, static_cast<std::uint32_t>(layout.pixelsPerMetre));
    Put32(header, static_cast<std::uint32_t>(layout.pixelsPerMetre));
    Put32(header, layout.colorsUsed);
    Put32(header, 0);
    for (std::uint32_t mask : layout.masks) Put32(header, mask);
    if (layout.headerSize >= 52) header.resize(layout.headerSize);
  }
  for (std::uint32_t color : layout.palette) {
    header.push_back(static_cast<std::uint8_t>(color));
    header.push_back(static_cast<std::uint8_t>(color >> 8));
    header.push_back(static_cast<std::uint8_t>(color >> 16));
    if (layout.headerSize != 12) header.push_back(0);
  }
  header.resize(header.size() + layout.gap);

  Bytes file = {'B', 'M'};
  const auto offset = static_cast<std::uint32_t>(14 + header.size());
  Put32(file, static_cast<std::uint32_t>(offset + layout.pixels.size()));
  Put32(file, 0);
  Put32(file, layout.pixelOffset.value_or(offset));
  Append(file, header);
  Append(file, layout.pixels);
  return file;
}

Bytes PaddedRows(const std::vector<Bytes>& rows) {
  Bytes out;
  for (const Bytes& row : rows) {
    Append(out, row);
    out.resize((out.size() + 3) / 4 * 4);
  }
  return out;
}

Bytes IconBitmapImage(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                      const std::vector<std::uint32_t>& palette, const std::vector<Bytes>& colorRows,
                      const std::vector<Bytes>& maskRows) {
  BmpLayout layout;
  layout.width = width;
  layout.height = 2 * height;
  layout.bitCount = bitCount;
  layout.colorsUsed = static_cast<std::uint32_t>(palette.size());
  layout.palette = palette;
  layout.pixels = PaddedRows(colorRows);
  Append(layout.pixels, PaddedRows(maskRows));
  Bytes file = BmpFile(layout);
  return Bytes(file.begin() + 14, file.end());  // an icon image has no file header
}

Bytes IconFile(const std::vector<IconEntry>& entries, std::uint16_t type) {
  Bytes file;
  Put16(file, 0);
  Put16(file, type);
  Put16(file, static_cast<std::uint16_t>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const IconEntry& entry : entries) {
    file.insert(file.end(), {entry.width, entry.height, 0, 0});
    Put16(file, 1);
    Put16(file, entry.bitCount);
    Put32(file, entry.size.value_or(static_cast<std::uint32_t>(entry.image.size())));
    Put32(file, entry.offset.value_or(offset));
    offset += static_cast<std::uint32_t>(entry.image.size());
  }
  for (const IconEntry& entry : entries) Append(file, entry.image);
  return file;
}

}  // namespace huemira::test
