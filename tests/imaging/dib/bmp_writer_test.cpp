#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "imaging/dib/bmp_writer.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira {
namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

// 3 x 2, four colours: the corners tell rows and columns apart.
void MakeCorners(TDibGraphic& image, TDibFormat format) {
  image.NewImage(3, 2, format, nullptr, 96, 96);
  image.FillWithColor(0x000000);
  // Colours of the 16-colour palette, so that every format holds them exactly.
  image.SetRgbPixel(0, 0, 0xFF5555);  // top-left red
  image.SetRgbPixel(2, 0, 0x55FF55);  // top-right green
  image.SetRgbPixel(0, 1, 0x5555FF);  // bottom-left blue
  image.SetRgbPixel(2, 1, 0xFFFFFF);
}

TEST(BmpWriter, WritesBottomUpBgrRowsWithZeroPadding) {
  for (TDibFormat format : {TDibFormat::ifColorRgb24, TDibFormat::ifColor16}) {
    TDibGraphic image;
    MakeCorners(image, format);
    TMemoryStream stream;
    SaveToBmp(image, stream);
    const auto& bytes = stream.Bytes();
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Read32(bytes, 2), bytes.size());
    EXPECT_EQ(Read32(bytes, 10), 54u);
    EXPECT_EQ(Read32(bytes, 14), 40u);
    EXPECT_EQ(Read32(bytes, 18), 3u);
    EXPECT_EQ(Read32(bytes, 22), 2u);
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(Read32(bytes, 38), 3780u);
    // First stored row is the bottom one: blue, black, white, then 3 padding bytes.
    const std::vector<std::uint8_t> bottom(bytes.begin() + 54, bytes.begin() + 66);
    EXPECT_EQ(bottom, (std::vector<std::uint8_t>{255, 85, 85, 0, 0, 0, 255, 255, 255, 0, 0, 0}));
    const std::vector<std::uint8_t> top(bytes.begin() + 66, bytes.end());
    EXPECT_EQ(top, (std::vector<std::uint8_t>{85, 85, 255, 0, 0, 0, 85, 255, 85, 0, 0, 0}));
  }
}

TEST(BmpWriter, EmptyPictureIsRefused) {
  TDibGraphic image;
  TMemoryStream stream;
  EXPECT_THROW(SaveToBmp(image, stream), EInvalidGraphic);
  EXPECT_TRUE(stream.Bytes().empty());
}

// An independent decoder must read the same pixels back.
TEST(BmpWriter, ImageMagickReadsOurPixels) {
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick not installed";
  TDibGraphic image;
  image.NewImage(5, 3, TDibFormat::ifColor256, nullptr, 0, 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) image.SetPixelIndex(x, y, 32 + y * 5 + x);
  }
  const auto dir = std::filesystem::temp_directory_path();
  const auto bmp = dir / "huemira_dib_writer_test.bmp";
  const auto raw = dir / "huemira_dib_writer_test.rgb";
  {
    TFileStream stream(bmp, FileMode::Create);
    SaveToBmp(image, stream);
  }
  const std::string command = "convert '" + bmp.string() + "' -depth 8 'rgb:" + raw.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(raw, std::ios::binary);
  const std::vector<std::uint8_t> rgb((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(rgb.size(), 5u * 3 * 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * 5 + x) * 3;
      EXPECT_EQ(MakeRgb(rgb[at], rgb[at + 1], rgb[at + 2]), image.GetRgbPixel(x, y)) << x << "," << y;
    }
  }
  std::filesystem::remove(bmp);
  std::filesystem::remove(raw);
}

}  // namespace
}  // namespace huemira
