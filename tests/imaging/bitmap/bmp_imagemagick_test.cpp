// Every BMP layout that ImageMagick writes must read as ImageMagick itself
// reads it. Each row also names the layout the file really has, so that a
// different ImageMagick cannot quietly turn a row into a repeat of another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "bitmap_files.h"
#include "imaging/bitmap/bmp_graphic.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/little_endian.h"
#include "reader_test_support.h"

namespace huemira::test {
namespace {

struct Variant {
  const char* options;  // ImageMagick options and the output prefix
  std::uint32_t headerSize;
  int bitCount;
  std::uint32_t compression;
  TDibFormat format;
  int tolerance = 0;
};

const Variant kVariants[] = {
    {"-type truecolor BMP3:", 40, 24, 0, TDibFormat::ifColorRgb24},
    {"-define bmp:format=bmp3", 40, 24, 0, TDibFormat::ifColorRgb24},
    {"-colors 200 -type palette -compress none BMP3:", 40, 8, 0, TDibFormat::ifColor256},
    {"-colors 60 -colorspace gray -type palette -compress none BMP3:", 40, 8, 0, TDibFormat::ifColor256},
    {"-colors 60 -type palette -compress RLE BMP3:", 40, 8, 1, TDibFormat::ifColor256},
    {"-colors 16 -type palette -compress RLE BMP3:", 40, 8, 1, TDibFormat::ifColor256},
    {"-colors 16 -type palette BMP3:", 40, 4, 0, TDibFormat::ifColor16},
    {"-colors 2 -type palette BMP3:", 40, 1, 0, TDibFormat::ifBlackAndWhite},
    {"-alpha set -channel A -evaluate set 50% +channel -define bmp3:alpha=true BMP3:", 40, 32, 0,
     TDibFormat::ifColorRgb24},
    {"BMP2:", 12, 24, 0, TDibFormat::ifColorRgb24},
    {"-define bmp:format=bmp2", 12, 24, 0, TDibFormat::ifColorRgb24},
    {"-colors 200 -type palette BMP2:", 12, 8, 0, TDibFormat::ifColor256},
    {"-colors 16 -type palette BMP2:", 12, 4, 0, TDibFormat::ifColor16},
    {"-monochrome BMP2:", 12, 1, 0, TDibFormat::ifBlackAndWhite},
    {"-monochrome BMP:", 108, 1, 0, TDibFormat::ifBlackAndWhite},
    {"BMP:", 124, 24, 0, TDibFormat::ifColorRgb24},
    {"-colors 50 -type palette -compress none BMP:", 124, 8, 0, TDibFormat::ifColor256},
    {"-colors 50 -type palette -compress RLE BMP:", 124, 8, 1, TDibFormat::ifColor256},
    {"-colors 9 -type palette -compress none BMP:", 124, 4, 0, TDibFormat::ifColor16},
    {"-colors 2 -type palette BMP:", 124, 1, 0, TDibFormat::ifBlackAndWhite},
    {"-alpha set -channel A -evaluate set 30% +channel BMP:", 124, 32, 3, TDibFormat::ifColorRgb24},
    {"-define bmp:subtype=RGB565 BMP:", 124, 16, 3, TDibFormat::ifColorRgb24},
    {"-define bmp:subtype=RGB555 BMP:", 124, 16, 3, TDibFormat::ifColorRgb24},
    {"-alpha set -define bmp:subtype=ARGB1555 BMP:", 124, 16, 3, TDibFormat::ifColorRgb24},
    // ImageMagick widens 4 bits as v << 4, Windows (and we) as v << 4 | v.
    {"-alpha set -define bmp:subtype=ARGB4444 BMP:", 124, 16, 3, TDibFormat::ifColorRgb24, 15},
    {"-alpha set -define bmp:subtype=ARGB8888 BMP:", 124, 32, 3, TDibFormat::ifColorRgb24},
    {"-define bmp:subtype=RGB888 BMP:", 124, 24, 0, TDibFormat::ifColorRgb24},
};

class BmpImageMagickTable : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "the cross-check runs natively, where ImageMagick is installed";
#endif
    if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is missing";
    // Odd width: every bit depth pads its rows.
    Convert("-size 37x23 -seed 7 plasma:fractal ", "source.ppm");
  }

  void Convert(const std::string& options, const std::string& output) {
    const std::string command = "cd '" + (dir_ / "").string() + "' && convert " + options + output;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  static Bytes ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }

  ScratchDir dir_;
};

TEST_F(BmpImageMagickTable, EveryVariantReadsAsImageMagickReadsIt) {
  int number = 0;
  for (const Variant& variant : kVariants) {
    const std::string name = "variant" + std::to_string(++number) + ".bmp";
    SCOPED_TRACE(std::string(variant.options) + " -> " + name);
    const std::string options = variant.options;
    // "PREFIX:" goes before the file name; plain options before a space.
    Convert("source.ppm " + options + (options.back() == ':' ? "" : " "), name);
    const Bytes file = ReadAll(dir_ / name);
    ASSERT_GT(file.size(), 54u);
    const std::uint32_t headerSize = GetLe32(file.data() + 14);
    EXPECT_EQ(headerSize, variant.headerSize);
    EXPECT_EQ(GetLe16(file.data() + (headerSize == 12 ? 24 : 28)), variant.bitCount);
    if (headerSize > 12) {
      EXPECT_EQ(GetLe32(file.data() + 30), variant.compression);
    }

    TBmpGraphic bmp;
    bmp.LoadFromFile(dir_ / name);
    EXPECT_EQ(bmp.DibFormat(), variant.format);
    EXPECT_TRUE(SamePixels(bmp, DecodeWithImageMagick(dir_ / name), variant.tolerance));
  }
}

// The same rows stored top row first under a negative height.
Bytes TopDown(const Bytes& bottomUp) {
  Bytes file = bottomUp;
  const std::uint32_t offset = GetLe32(file.data() + 10);
  const auto width = static_cast<std::int32_t>(GetLe32(file.data() + 18));
  const auto height = static_cast<std::int32_t>(GetLe32(file.data() + 22));
  const auto stride = static_cast<std::size_t>(DibStride(width, GetLe16(file.data() + 28)));
  for (std::int32_t row = 0; row < height; ++row) {
    const auto from = bottomUp.begin() + static_cast<std::ptrdiff_t>(offset + (height - 1 - row) * stride);
    std::copy(from, from + static_cast<std::ptrdiff_t>(stride),
              file.begin() + static_cast<std::ptrdiff_t>(offset + row * stride));
  }
  PutLe32(file.data() + 22, static_cast<std::uint32_t>(-height));
  return file;
}

TEST_F(BmpImageMagickTable, TopDownCopiesReadAsTheOriginals) {
  // ImageMagick writes bottom-up only.
  for (const char* options :
       {"-type truecolor BMP3:", "-colors 16 -type palette BMP3:", "-alpha set -define bmp:subtype=ARGB8888 BMP:"}) {
    SCOPED_TRACE(options);
    Convert(std::string("source.ppm ") + options, "bottom-up.bmp");
    WriteFile(dir_ / "top-down.bmp", TopDown(ReadAll(dir_ / "bottom-up.bmp")));
    TBmpGraphic bmp;
    bmp.LoadFromFile(dir_ / "top-down.bmp");
    EXPECT_TRUE(SamePixels(bmp, DecodeWithImageMagick(dir_ / "bottom-up.bmp")));
  }
}

}  // namespace
}  // namespace huemira::test
