#include "hostile_files.h"

#include <cstdint>

namespace huemira::test {
namespace {

constexpr std::uint16_t kSide = 11585;  // the largest square the size cap admits

void Le16(Bytes& bytes, unsigned value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Le32(Bytes& bytes, std::uint32_t value) {
  Le16(bytes, value & 0xFFFF);
  Le16(bytes, value >> 16);
}

// "GIF89a", a logical screen of width x height with a two-colour table.
Bytes GifStart(std::uint16_t width, std::uint16_t height) {
  Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
  Le16(gif, width);
  Le16(gif, height);
  gif.insert(gif.end(), {0x80, 0, 0, 0, 0, 0, 255, 255, 255});
  return gif;
}

void GifDescriptor(Bytes& gif, std::uint16_t width, std::uint16_t height) {
  gif.push_back(0x2C);
  Le32(gif, 0);
  Le16(gif, width);
  Le16(gif, height);
  gif.push_back(0);
}

Bytes GifWithoutData() {
  Bytes gif = GifStart(kSide, kSide);
  GifDescriptor(gif, kSide, kSide);
  gif.insert(gif.end(), {2, 0, 0x3B});  // code size, no data sub-blocks, trailer
  return gif;
}

Bytes GifOfOnePixelFrames() {
  Bytes gif = GifStart(1, 1);
  while (gif.size() < 15'000'000) {
    GifDescriptor(gif, 1, 1);
    gif.insert(gif.end(), {2, 2, 0x44, 0x01, 0});  // clear, pixel 0, end: 3 codes of 3 bits
  }
  gif.push_back(0x3B);
  return gif;
}

Bytes PngOfDamagedChunks() {
  PngPicture picture;
  picture.width = picture.height = 1;
  picture.rows = {{0}};
  Bytes png = WritePng(picture);
  Bytes chunks;
  for (int i = 0; i < 5000; ++i) chunks.insert(chunks.end(), {0, 0, 0, 0, 'p', 'r', 'V', 't', 1, 2, 3, 4});
  png.insert(png.begin() + 33, chunks.begin(), chunks.end());  // after the header chunk
  return png;
}

Bytes JpegOfCheapScans() {
  Bytes jpeg = WriteJpeg(OneBitPerScan(16, 16, 500));
  for (std::size_t i = 0; i + 9 <= jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC2) {  // the progressive frame header: height, then width
      jpeg[i + 5] = jpeg[i + 7] = kSide >> 8;
      jpeg[i + 6] = jpeg[i + 8] = kSide & 0xFF;
      break;
    }
  }
  return jpeg;
}

Bytes RleBitmapOfNothing() {
  Bytes bmp = {'B', 'M'};
  Le32(bmp, 60);
  Le32(bmp, 0);
  Le32(bmp, 58);  // pixels after the headers and one colour
  Le32(bmp, 40);
  Le32(bmp, kSide);
  Le32(bmp, kSide);
  Le16(bmp, 1);
  Le16(bmp, 8);
  Le32(bmp, 1);  // BI_RLE8
  for (int i = 0; i < 4; ++i) Le32(bmp, i == 2 ? 1 : 0);  // image size, resolutions, one colour used
  Le32(bmp, 0);
  Le32(bmp, 0x00FFFFFF);
  bmp.insert(bmp.end(), {0, 1});  // end of bitmap
  return bmp;
}

Bytes PcxHeaderOnly() {
  Bytes pcx = {10, 5, 1, 8};
  Le16(pcx, 0);
  Le16(pcx, 0);
  Le16(pcx, kSide - 1);
  Le16(pcx, kSide - 1);
  pcx.resize(65);
  pcx.push_back(1);  // planes
  Le16(pcx, kSide + 1);  // bytes per line
  pcx.resize(128);
  return pcx;
}

}  // namespace

std::vector<HostileFile> HostileFiles() {
  return {
      {"GIF of 32 bytes, no pixel data, 11585 x 11585", "gif", GifWithoutData, "Stream read error"},
      {"GIF of 15 MB of one-pixel frames", "gif", GifOfOnePixelFrames, "", 1, 1},
      {"PNG of 5,000 chunks with wrong checksums", "png", PngOfDamagedChunks, "", 1, 1},
      {"progressive JPEG of 500 cheap scans, 11585 x 11585", "jpg", JpegOfCheapScans, "Too many scans in JPEG file"},
      {"RLE8 bitmap of 60 bytes, end of bitmap only, 11585 x 11585", "bmp", RleBitmapOfNothing, "", kSide, kSide},
      {"PCX header of 128 bytes, 11585 x 11585", "pcx", PcxHeaderOnly, "bmc_read_header failed."},
  };
}

}  // namespace huemira::test
