// The icon picture against the system's own icon drawing: each icon image is
// made into an icon by CreateIconFromResourceEx, drawn with DrawIconEx over a
// background, and must give exactly the pixels of TIcon over that background.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bitmap_files.h"
#include "framework/handles.h"
#include "imaging/bitmap/ico_graphic.h"
#include "reader_test_support.h"
#include "test_image_writers.h"

namespace huemira::test {
namespace {

// What DrawIconEx paints over background, as 0x00RRGGBB, top row first.
std::vector<std::uint32_t> SystemDrawing(const Bytes& image, int width, int height, std::uint32_t background) {
  UniqueIcon icon(CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()), TRUE,
                                           0x00030000, width, height, LR_DEFAULTCOLOR));
  EXPECT_TRUE(icon);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * height, background);
  std::copy(out.begin(), out.end(), pixels);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
  EXPECT_TRUE(DrawIconEx(dc.get(), 0, 0, icon.get(), width, height, 0, nullptr, DI_NORMAL));
  GdiFlush();
  SelectObject(dc.get(), previous);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = pixels[i] & 0xFFFFFF;
  return out;
}

std::vector<std::uint32_t> OurDrawing(const Bytes& image, std::uint32_t background) {
  TIcon icon;
  icon.IconBackground = background;
  LoadBytes(icon, IconFile({{image}}));
  std::vector<std::uint32_t> out;
  for (int y = 0; y < icon.Height(); ++y) {
    for (int x = 0; x < icon.Width(); ++x) out.push_back(icon.GetRgbPixel(x, y));
  }
  return out;
}

Bytes RandomBytes(std::minstd_rand& random, std::size_t count) {
  Bytes bytes(count);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

// A bitmap icon image with random colour and mask rows.
Bytes RandomBitmapImage(std::minstd_rand& random, int width, int height, std::uint16_t bitCount, bool zeroAlpha) {
  std::vector<std::uint32_t> palette;
  if (bitCount <= 8) {
    for (int i = 0; i < (1 << bitCount); ++i) palette.push_back(random() & 0xFFFFFF);
  }
  std::vector<Bytes> color, mask;
  for (int y = 0; y < height; ++y) {
    Bytes row = RandomBytes(random, (static_cast<std::size_t>(width) * bitCount + 7) / 8);
    if (bitCount == 32) {
      for (int x = 0; x < width; ++x) row[4 * x + 3] = zeroAlpha ? 0 : static_cast<std::uint8_t>(y * width + x);
    }
    color.push_back(row);
    mask.push_back(RandomBytes(random, (static_cast<std::size_t>(width) + 7) / 8));
  }
  return IconBitmapImage(width, height, bitCount, palette, color, mask);
}

TEST(IconDrawing, SameAsTheSystemsIconDrawing) {
  std::minstd_rand random(7);
  struct Case {
    std::string what;
    Bytes image;
    int width, height;
  };
  std::vector<Case> cases = {
      {"1 bit", RandomBitmapImage(random, 16, 4, 1, false), 16, 4},
      {"4 bits", RandomBitmapImage(random, 8, 4, 4, false), 8, 4},
      {"8 bits", RandomBitmapImage(random, 16, 4, 8, false), 16, 4},
      {"24 bits, odd width", RandomBitmapImage(random, 5, 3, 24, false), 5, 3},
      {"32 bits, every alpha", RandomBitmapImage(random, 16, 16, 32, false), 16, 16},
      {"32 bits, alpha all 0", RandomBitmapImage(random, 16, 4, 32, true), 16, 4},
  };
  PngPicture rgba;
  rgba.width = rgba.height = 16;
  rgba.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  for (int y = 0; y < 16; ++y) {
    Bytes row = RandomBytes(random, 64);
    for (int x = 0; x < 16; ++x) row[4 * x + 3] = static_cast<std::uint8_t>(16 * y + x);
    rgba.rows.push_back(row);
  }
  cases.push_back({"PNG with alpha", WritePng(rgba), 16, 16});

  for (const Case& c : cases) {
    for (std::uint32_t background : {0xFFFFFFu, 0x3377BBu}) {
      SCOPED_TRACE(c.what + " over " + std::to_string(background));
      const auto system = SystemDrawing(c.image, c.width, c.height, background);
      const auto ours = OurDrawing(c.image, background);
      ASSERT_EQ(ours.size(), system.size());
      int differences = 0;
      for (std::size_t i = 0; i < ours.size(); ++i) {
        if (ours[i] != system[i] && ++differences <= 3) {
          ADD_FAILURE() << "pixel " << i << ": " << std::hex << ours[i] << " instead of " << system[i];
        }
      }
    }
  }
}

}  // namespace
}  // namespace huemira::test
