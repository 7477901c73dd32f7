// The icon picture: which image of the file it takes, and the colours of the
// icon drawn over its background. The expected colours of the bitmap images
// are what DrawIconEx gives for the same icons (icon_win32_test.cpp holds the
// comparison with the system's drawing itself).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bitmap_files.h"
#include "framework/color.h"
#include "framework/exception.h"
#include "imaging/bitmap/ico_graphic.h"
#include "imaging/bitmap/icon_images.h"
#include "reader_test_support.h"
#include "test_image_writers.h"

namespace huemira::test {
namespace {

constexpr char kInvalid[] = "Icon image is not valid";

std::unique_ptr<TIcon> LoadIcon(const Bytes& file, std::uint32_t background = DefaultDibBackground) {
  auto icon = std::make_unique<TIcon>();
  icon->IconBackground = background;
  LoadBytes(*icon, file);
  return icon;
}

std::vector<std::uint32_t> TopRow(const TDibGraphic& image, int y = 0) {
  std::vector<std::uint32_t> row;
  for (int x = 0; x < image.Width(); ++x) row.push_back(image.GetRgbPixel(x, y));
  return row;
}

// A w x h image of one colour: palette index 0, or the colour's own bytes.
Bytes SolidImage(int width, int height, std::uint16_t bitCount, std::uint32_t color) {
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * bitCount + 7) / 8;
  Bytes row(rowBytes, 0);
  std::vector<std::uint32_t> palette;
  if (bitCount <= 8) {
    palette = {color};
  } else {
    const int bytes = bitCount / 8;
    const TColor pixel = ColorFromRgb(color);
    for (int x = 0; x < width; ++x) {
      row[x * bytes] = BlueOf(pixel);
      row[x * bytes + 1] = GreenOf(pixel);
      row[x * bytes + 2] = RedOf(pixel);
      if (bytes == 4) row[x * bytes + 3] = 255;
    }
  }
  return IconBitmapImage(width, height, bitCount, palette, std::vector<Bytes>(height, row),
                         std::vector<Bytes>(height, Bytes((width + 7) / 8, 0)));
}

// Bytes of 32-bit pixels given as 0xAARRGGBB.
Bytes Argb(const std::vector<std::uint32_t>& pixels) {
  Bytes row;
  for (std::uint32_t p : pixels) {
    const TColor color = ColorFromRgb(p & 0xFFFFFF);
    row.insert(row.end(), {BlueOf(color), GreenOf(color), RedOf(color), static_cast<std::uint8_t>(p >> 24)});
  }
  return row;
}

Bytes RgbaPng(int width, int height, const Bytes& rgba, bool interlaced = false) {
  PngPicture png;
  png.width = width;
  png.height = height;
  png.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  png.interlaced = interlaced;
  for (int y = 0; y < height; ++y) {
    png.rows.emplace_back(rgba.begin() + y * width * 4, rgba.begin() + (y + 1) * width * 4);
  }
  return WritePng(png);
}

TEST(IconPicture, TakesTheLargestImageThenTheDeepest) {
  // The directory's sizes lie; each image's own header tells.
  const Bytes file = IconFile({{SolidImage(16, 16, 8, 0x111111), 64, 64, 32},
                               {SolidImage(32, 32, 4, 0x222222)},
                               {SolidImage(32, 32, 24, 0x333333)},
                               {SolidImage(16, 48, 32, 0x444444)},
                               {SolidImage(32, 32, 24, 0x555555)}});
  const auto icon = LoadIcon(file);
  EXPECT_EQ(icon->Width(), 32);
  EXPECT_EQ(icon->Height(), 32);
  EXPECT_EQ(icon->DibFormat(), TDibFormat::ifColorRgb24);
  EXPECT_EQ(icon->GetRgbPixel(5, 5), 0x333333u);

  // A 256-pixel PNG image (its directory size reads 0) wins over bitmaps.
  const Bytes png = RgbaPng(256, 256, Bytes(256 * 256 * 4, 0xFF));
  const auto large = LoadIcon(IconFile({{SolidImage(48, 48, 32, 0x666666), 48, 48, 32}, {png, 0, 0, 32}}));
  EXPECT_EQ(large->Width(), 256);
  EXPECT_EQ(large->GetRgbPixel(255, 255), 0xFFFFFFu);
}

TEST(IconPicture, BitmapsWithoutAlphaGoThroughTheirAndMask) {
  // 1 bit: black and white under a clear and a set mask.
  const Bytes oneBit = IconBitmapImage(4, 1, 1, {0x000000, 0xFFFFFF}, {{0x50}}, {{0x30}});
  EXPECT_EQ(TopRow(*LoadIcon(IconFile({{oneBit}}))),
            (std::vector<std::uint32_t>{0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000}));
  EXPECT_EQ(TopRow(*LoadIcon(IconFile({{oneBit}}), 0x336699)),
            (std::vector<std::uint32_t>{0x000000, 0xFFFFFF, 0x336699, 0xCC9966}));

  // 8 bits: a set mask under a non-black colour XORs it into the background.
  const Bytes eightBit = IconBitmapImage(4, 1, 8, {0x000000, 0xFF0000, 0x123456}, {{0, 1, 2, 1}}, {{0x30}});
  EXPECT_EQ(TopRow(*LoadIcon(IconFile({{eightBit}}))),
            (std::vector<std::uint32_t>{0x000000, 0xFF0000, 0xEDCBA9, 0x00FFFF}));
  EXPECT_EQ(TopRow(*LoadIcon(IconFile({{eightBit}}), 0x808080)),
            (std::vector<std::uint32_t>{0x000000, 0xFF0000, 0x92B4D6, 0x7F8080}));

  // 24 bits, bottom row stored first.
  const Bytes twentyFour = IconBitmapImage(
      3, 2, 24, {}, {{50, 100, 200, 90, 250, 10, 0, 0, 0}, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {{0x60}, {0x00}});
  const auto icon = LoadIcon(IconFile({{twentyFour}}), 0x808080);
  EXPECT_EQ(TopRow(*icon), (std::vector<std::uint32_t>{0x030201, 0x060504, 0x090807}));
  EXPECT_EQ(icon->GetRgbPixel(0, 1), 0xC86432u);
  EXPECT_EQ(icon->GetRgbPixel(1, 1), 0x8A7ADAu);
  EXPECT_EQ(icon->GetRgbPixel(2, 1), 0x808080u);
}

TEST(IconPicture, ThirtyTwoBitAlphaBlendsOverTheBackground) {
  const Bytes image = IconBitmapImage(3, 1, 32, {}, {Argb({0x80C86432, 0x400AFA5A, 0xFF0000FF})}, {{0x40}});
  // The set mask of the second pixel does not matter once there is alpha.
  EXPECT_EQ(TopRow(*LoadIcon(IconFile({{image}}))), (std::vector<std::uint32_t>{0xE3B198, 0xC2FED6, 0x0000FF}));
  EXPECT_EQ(TopRow(*LoadIcon(IconFile({{image}}), 0x808080)),
            (std::vector<std::uint32_t>{0xA47259, 0x639F77, 0x0000FF}));

  // The same colours with every alpha byte 0: no alpha channel, the mask decides.
  const Bytes noAlpha = IconBitmapImage(3, 1, 32, {}, {Argb({0x00C86432, 0x000AFA5A, 0x000000FF})}, {{0x60}});
  EXPECT_EQ(TopRow(*LoadIcon(IconFile({{noAlpha}}))), (std::vector<std::uint32_t>{0xC86432, 0xF505A5, 0xFFFF00}));
}

TEST(IconPicture, PngImagesAreBlendedAsStored) {
  // The file's gamma and background must change nothing.
  PngPicture png;
  png.width = 3;
  png.height = 1;
  png.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  png.rows = {{200, 100, 50, 127, 124, 160, 66, 159, 0, 0, 255, 255}};
  png.gamma = 1.0;
  png.background = png_color_16{0, 0, 0, 0, 0};
  EXPECT_EQ(TopRow(*LoadIcon(IconFile({{WritePng(png)}}))), (std::vector<std::uint32_t>{0xE4B299, 0xADC489, 0x0000FF}));

  // Palette with transparency; 16-bit gray with alpha, interlaced, scaled to 8 bits with rounding.
  PngPicture palette;
  palette.width = 3;
  palette.height = 1;
  palette.bitDepth = 2;
  palette.colorType = PNG_COLOR_TYPE_PALETTE;
  palette.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  palette.paletteAlpha = {0, 100};
  palette.rows = {{0x18}};  // indexes 0, 1, 2
  EXPECT_EQ(
      TopRow(*LoadIcon(IconFile({{WritePng(palette)}}))),
      (std::vector<std::uint32_t>{
          0xFFFFFF, MakeRgb(BlendOver(40, 100, 255), BlendOver(50, 100, 255), BlendOver(60, 100, 255)), 0x46505A}));
  PngPicture gray;
  gray.width = 2;
  gray.height = 9;
  gray.bitDepth = 16;
  gray.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  gray.interlaced = true;
  for (int y = 0; y < 9; ++y) gray.rows.push_back({0x12, 0x9A, 0x80, 0x00, 0xFF, 0xFF, 0xFF, 0xFF});
  const auto icon = LoadIcon(IconFile({{WritePng(gray)}}));
  const std::uint8_t blended = BlendOver(0x13, 0x80, 255);
  for (int y = 0; y < 9; ++y) {
    EXPECT_EQ(TopRow(*icon, y), (std::vector<std::uint32_t>{MakeRgb(blended, blended, blended), 0xFFFFFF})) << y;
  }
}

TEST(IconPicture, KnowsItsFilesAndIsOnlyRead) {
  const Bytes file = IconFile({{SolidImage(2, 2, 24, 0)}});
  TMemoryStream stream(file);
  TIcon icon;
  EXPECT_TRUE(icon.CanLoadStream(stream));
  EXPECT_EQ(stream.Position(), 0);
  TMemoryStream cursor(IconFile({{SolidImage(2, 2, 24, 0)}}, 2));
  EXPECT_FALSE(icon.CanLoadStream(cursor));
  icon.LoadFromStream(stream);
  TMemoryStream out;
  EXPECT_THROW(icon.SaveToStream(out), EInvalidGraphicOperation);
}

TEST(IconPicture, CorruptIconsAreRefusedBeforeAnythingIsAllocated) {
  const Bytes good = SolidImage(4, 4, 24, 0x123456);
  Bytes topDown = good;
  topDown[8] = 0xF8;  // height -8
  topDown[9] = topDown[10] = topDown[11] = 0xFF;
  Bytes twoBits = good;
  twoBits[14] = 2;
  Bytes huge = good;
  huge[7] = 0x20;  // 2^29 + 4 pixels wide
  PngPicture png;
  png.width = png.height = 4;
  png.rows.assign(4, Bytes(4, 0));
  Bytes hugePng = WritePng(png);
  hugePng[16] = 0x7F;  // width 2^31 - 1: the IHDR check sum no longer matters, the size is refused first

  struct Case {
    const char* what;
    Bytes file;
  };
  Bytes countZero = IconFile({{good}});
  countZero[4] = 0;
  Bytes reserved = IconFile({{good}});
  reserved[0] = 1;
  Bytes missingEntries = IconFile({{good}});
  missingEntries[4] = 200;
  const Case cases[] = {
      {"empty", {}},
      {"a directory header only", Bytes{0, 0, 1, 0, 1, 0}},
      {"no images", countZero},
      {"reserved word set", reserved},
      {"a cursor", IconFile({{good}}, 2)},
      {"directory longer than the file", missingEntries},
      {"image of 0 bytes", IconFile({{good, 0, 0, 0, 0u}})},
      {"image inside the directory", IconFile({{good, 0, 0, 0, std::nullopt, 6u}})},
      {"image past the end", IconFile({{good, 0, 0, 0, std::nullopt, 5000u}})},
      {"image longer than the file", IconFile({{good, 0, 0, 0, 5000u}})},
      {"top-down image", IconFile({{topDown}})},
      {"2 bits per pixel", IconFile({{twoBits}})},
      {"beyond the size cap", IconFile({{huge}})},
      {"PNG beyond the size cap", IconFile({{hugePng}})},
      {"a sound image beside a broken one", IconFile({{good}, {twoBits}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TIcon icon;
    EXPECT_THROW_MESSAGE(LoadBytes(icon, c.file), EInvalidGraphic, kInvalid);
    EXPECT_TRUE(icon.Empty());
  }
}

TEST(IconPicture, EveryTruncationIsRefused) {
  PngPicture png;
  png.width = png.height = 3;
  png.colorType = PNG_COLOR_TYPE_RGB;
  png.rows.assign(3, Bytes(9, 0x42));
  for (const Bytes& image : {SolidImage(3, 3, 8, 0x123456), WritePng(png)}) {
    const Bytes file = IconFile({{image}});
    for (std::size_t size = 0; size < file.size(); ++size) {
      SCOPED_TRACE(size);
      TIcon icon;
      Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
      EXPECT_THROW_MESSAGE(LoadBytes(icon, cut), EInvalidGraphic, kInvalid);
    }
    EXPECT_NO_THROW(LoadIcon(file));
  }
}

class IconImageMagick : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "the cross-check runs natively, where ImageMagick is installed";
#endif
    if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is missing";
  }
  // The frame as ImageMagick decodes it, flattened on white.
  RgbImage OnWhite(const std::string& frame) {
    const std::string flat = (dir_ / "flat.png").string();
    const std::string command =
        "convert '" + frame + "' -background white -flatten -depth 8 -type TrueColor '" + flat + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return DecodeWithImageMagick(flat);
  }
  ScratchDir dir_;
};

TEST_F(IconImageMagick, IconsWithManySizesShowTheirLargestOnWhite) {
  const std::string source = (dir_ / "source.png").string();
  // A round, soft-edged picture: every alpha from 0 to 255 occurs. 8 bits,
  // so that ImageMagick blends the same stored values as we do.
  ASSERT_EQ(std::system(("convert -size 300x300 -seed 3 plasma:fractal \\( -size 300x300 radial-gradient: "
                         "-level 20%,80% \\) -alpha off -compose CopyOpacity -composite -depth 8 '" +
                         source + "'")
                            .c_str()),
            0);
  const std::pair<std::string, std::string> layouts[] = {{"16,32,48", "2"}, {"32,256,16", "1"}};
  for (const auto& [sizes, largest] : layouts) {
    SCOPED_TRACE(sizes);
    const std::string ico = (dir_ / "icon.ico").string();
    ASSERT_EQ(std::system(("convert '" + source + "' -define icon:auto-resize=" + sizes + " '" + ico + "'").c_str()),
              0);
    TIcon icon;
    icon.LoadFromFile(ico);
    // ImageMagick composites with a single rounding, the system with two.
    EXPECT_TRUE(SamePixels(icon, OnWhite(ico + "[" + largest + "]"), 1));
  }
}

}  // namespace
}  // namespace huemira::test
