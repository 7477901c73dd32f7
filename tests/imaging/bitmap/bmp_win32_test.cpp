// The BMP reader against the system's own decoding: LoadImage into a DIB
// section, which is where Windows turns a bitmap file into a picture that
// keeps its palette. Run-length pixels that the stream skips, indexes past a
// short colour table and 5-bit channels must come out as it gives them.
// (Core headers, top-down files and 5-6-5 bit fields are left to the other
// tests: Wine's LoadImage misreads the first two, while its StretchDIBits
// reads them as we do, and drops the lowest of the six green bits.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bitmap_files.h"
#include "framework/handles.h"
#include "imaging/bitmap/bmp_graphic.h"
#include "reader_test_support.h"

namespace huemira::test {
namespace {

// The file as LoadImage decodes it, 0x00RRGGBB, top row first.
std::vector<std::uint32_t> SystemDecoding(const std::filesystem::path& file, int width, int height) {
  UniqueBitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  EXPECT_TRUE(bitmap);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  const HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDIBits(screen, bitmap.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS), height);
  ReleaseDC(nullptr, screen);
  for (auto& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

BmpLayout Layout(std::int32_t width, std::int32_t height, std::uint16_t bitCount, std::uint32_t compression) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bitCount = bitCount;
  layout.compression = compression;
  return layout;
}

TEST(BmpDecoding, SameAsTheSystemsDecoding) {
  std::vector<std::pair<std::string, BmpLayout>> cases;
  BmpLayout rle8 = Layout(5, 4, 8, 1);
  rle8.colorsUsed = 4;
  rle8.palette = {0x306090, 0xFF0000, 0x00FF00, 0x0000FF};
  rle8.pixels = {2, 1, 0, 2, 1, 1, 1, 2, 0, 0, 0, 3, 3, 2, 1, 0, 0, 1};
  cases.push_back({"RLE8 with a delta and an early end", rle8});
  BmpLayout rle4 = Layout(6, 3, 4, 2);
  rle4.colorsUsed = 9;
  rle4.palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0xFF00FF, 0x00FFFF, 0xFFFF00, 0x800000};
  rle4.pixels = {0x03, 0x12, 0x00, 0x03, 0x34, 0x50, 0x00, 0x00, 0x00, 0x05, 0x12, 0x34,
                 0x50, 0x00, 0x00, 0x00, 0x00, 0x02, 0x02, 0x00, 0x02, 0x77, 0x00, 0x01};
  cases.push_back({"RLE4 with absolute runs and deltas", rle4});
  BmpLayout shortPalette = Layout(4, 1, 8, 0);
  shortPalette.colorsUsed = 3;
  shortPalette.palette = {0x306090, 0xFF0000, 0x00FF00};
  shortPalette.pixels = {0, 1, 2, 200};
  cases.push_back({"index past a short colour table", shortPalette});
  BmpLayout cut = shortPalette;
  cut.colorsUsed = 0;
  cases.push_back({"colour table cut short by the pixels", cut});
  BmpLayout rgb555 = Layout(3, 1, 16, 0);
  rgb555.pixels = PaddedRows({{0x1F, 0x7C, 0x10, 0x42, 0xFF, 0xFF}});
  cases.push_back({"16 bits without bit fields", rgb555});
  BmpLayout masks555 = rgb555;
  masks555.compression = 3;
  masks555.masks = {0x7C00, 0x03E0, 0x001F};
  cases.push_back({"5-5-5 bit fields", masks555});
  BmpLayout v5alpha = Layout(2, 1, 32, 3);
  v5alpha.headerSize = 124;
  v5alpha.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  v5alpha.pixels = {0x40, 0x80, 0xFF, 0x80, 0x30, 0x20, 0x10, 0x00};
  cases.push_back({"V5 header with alpha", v5alpha});

  ScratchDir dir;
  for (const auto& [what, layout] : cases) {
    SCOPED_TRACE(what);
    const Bytes file = BmpFile(layout);
    WriteFile(dir / "picture.bmp", file);
    TBmpGraphic bmp;
    LoadBytes(bmp, file);
    const auto system = SystemDecoding(dir / "picture.bmp", bmp.Width(), bmp.Height());
    int differences = 0;
    for (int y = 0; y < bmp.Height(); ++y) {
      for (int x = 0; x < bmp.Width(); ++x) {
        const std::uint32_t want = system[static_cast<std::size_t>(y) * bmp.Width() + x];
        if (bmp.GetRgbPixel(x, y) != want && ++differences <= 3) {
          ADD_FAILURE() << x << "," << y << ": " << std::hex << bmp.GetRgbPixel(x, y) << " instead of " << want;
        }
      }
    }
  }
}

}  // namespace
}  // namespace huemira::test
