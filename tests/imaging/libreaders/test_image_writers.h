// Test pictures made with the libraries' own writers (and, for TIFF files
// that no writer would produce, byte by byte), plus libjpeg's own decode as
// the reference for JPEG.
#pragma once

#include <png.h>
#include <tiffio.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include <jpeglib.h>

#include "reader_test_support.h"

namespace huemira::test {

using Bytes = std::vector<std::uint8_t>;

struct PngPicture {
  int width = 0, height = 0, bitDepth = 8, colorType = PNG_COLOR_TYPE_GRAY;
  bool interlaced = false;
  std::vector<Bytes> rows;  // packed as in the file, 16-bit samples big-endian
  std::vector<png_color> palette;
  Bytes paletteAlpha;  // tRNS of a palette picture
  std::optional<png_color_16> transparentColor;
  std::optional<png_color_16> background;
  double gamma = 0;  // no gAMA chunk when 0
  bool srgb = false;
  std::optional<std::uint32_t> pixelsPerMetre;
};
Bytes WritePng(const PngPicture& picture);

struct JpegPicture {
  int width = 0, height = 0, components = 3;
  J_COLOR_SPACE inputSpace = JCS_RGB;
  Bytes pixels;  // top row first, components bytes per pixel
  int densityUnit = 0, xDensity = 1, yDensity = 1;
  bool progressive = false;
  std::vector<jpeg_scan_info> scans;  // a scan script of our own, when not empty
};
Bytes WriteJpeg(const JpegPicture& picture);
// A grey picture whose progression sends every bit of every coefficient in a
// scan of its own (the DC coefficient from bit 10 down, then each AC one): a
// valid file of up to 704 scans of a few bytes each.
JpegPicture OneBitPerScan(int width, int height, int scans);
// libjpeg's own decode, gray expanded to red = green = blue.
RgbImage DecodeWithLibjpeg(const Bytes& jpeg);

struct TiffPage {
  std::uint32_t width = 0, height = 0;
  std::function<void(TIFF*)> fields;  // everything but width and length
  std::vector<Bytes> rows;            // as the file stores them
  std::uint32_t tileSize = 0;         // tiled when set (a multiple of 16)
};
void WriteTiff(const std::filesystem::path& path, const std::vector<TiffPage>& pages);

// One little-endian IFD with SHORT and LONG entries and one strip; the strip
// offset and byte count are added by Build (byteCount may lie).
class TiffBuilder {
 public:
  TiffBuilder& Short(std::uint16_t tag, std::vector<std::uint32_t> values);
  TiffBuilder& Long(std::uint16_t tag, std::vector<std::uint32_t> values);
  Bytes Build(const Bytes& strip, std::optional<std::uint32_t> byteCount = std::nullopt) const;

 private:
  struct Entry {
    std::uint16_t tag, type;
    std::vector<std::uint32_t> values;
  };
  std::vector<Entry> entries_;
};

}  // namespace huemira::test
