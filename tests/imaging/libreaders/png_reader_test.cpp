#include <zlib.h>

#include <cmath>
#include <functional>

#include "imaging/libreaders/png_graphic.h"
#include "reader_test_support.h"
#include "test_image_writers.h"

namespace huemira::test {
namespace {

// Rows of samples value(x, y, channel) packed at bitDepth (16-bit big-endian).
std::vector<Bytes> PackRows(int width, int height, int bitDepth, int channels,
                            const std::function<int(int, int, int)>& value) {
  std::vector<Bytes> rows;
  for (int y = 0; y < height; ++y) {
    Bytes row((static_cast<std::size_t>(width) * channels * bitDepth + 7) / 8, 0);
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < channels; ++c) {
        const int v = value(x, y, c), i = x * channels + c;
        if (bitDepth == 16) {
          row[2 * i] = static_cast<std::uint8_t>(v >> 8);
          row[2 * i + 1] = static_cast<std::uint8_t>(v);
        } else if (bitDepth == 8) {
          row[i] = static_cast<std::uint8_t>(v);
        } else {
          row[i * bitDepth / 8] |= static_cast<std::uint8_t>(v << (8 - bitDepth - (i * bitDepth) % 8));
        }
      }
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<png_color> RainbowPalette(int count) {
  std::vector<png_color> palette;
  for (int i = 0; i < count; ++i) {
    palette.push_back({static_cast<png_byte>(i * 37), static_cast<png_byte>(255 - i * 11), static_cast<png_byte>(i * 5)});
  }
  return palette;
}

std::unique_ptr<TPngGraphic> Load(const Bytes& png, const std::function<void(TPngGraphic&)>& configure = {}) {
  QuietPngWarnings = true;
  auto graphic = std::make_unique<TPngGraphic>();
  if (configure) configure(*graphic);
  LoadBytes(*graphic, png);
  return graphic;
}

struct FormatCase {
  const char* name;
  int bitDepth, colorType, channels;
  TDibFormat format;
};

class PngFormatTest : public ::testing::TestWithParam<std::tuple<FormatCase, bool>> {};

// Every accepted depth and colour type lands in its format and decodes to the
// pixels ImageMagick sees, interlaced or not.
TEST_P(PngFormatTest, MatchesImageMagick) {
  const auto& [format, interlaced] = GetParam();
  PngPicture picture;
  picture.width = 37;
  picture.height = 11;
  picture.bitDepth = format.bitDepth;
  picture.colorType = format.colorType;
  picture.interlaced = interlaced;
  const int levels = format.bitDepth == 16 ? 256 : 1 << std::min(format.bitDepth, 8);
  const int scale = format.bitDepth == 16 ? 257 : 1;  // high byte = scaled value: stripping and scaling agree
  picture.rows = PackRows(picture.width, picture.height, picture.bitDepth, format.channels,
                       [&](int x, int y, int c) { return ((x * 7 + y * 3 + c * 50) % levels) * scale; });
  if (format.colorType == PNG_COLOR_TYPE_PALETTE) picture.palette = RainbowPalette(levels);

  const Bytes png = WritePng(picture);
  const auto graphic = Load(png);
  EXPECT_EQ(graphic->DibFormat(), format.format);
  if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick not installed";
  ScratchDir dir;
  WriteFile(dir / "picture.png", png);
  EXPECT_TRUE(SamePixels(*graphic, DecodeWithImageMagick(dir / "picture.png")));
}

INSTANTIATE_TEST_SUITE_P(
    AllLayouts, PngFormatTest,
    ::testing::Combine(
        ::testing::Values(FormatCase{"gray1", 1, PNG_COLOR_TYPE_GRAY, 1, TDibFormat::ifBlackAndWhite},
                          FormatCase{"palette1", 1, PNG_COLOR_TYPE_PALETTE, 1, TDibFormat::ifBlackAndWhite},
                          FormatCase{"gray2", 2, PNG_COLOR_TYPE_GRAY, 1, TDibFormat::ifGrayscale16},
                          FormatCase{"palette2", 2, PNG_COLOR_TYPE_PALETTE, 1, TDibFormat::ifColor16},
                          FormatCase{"gray4", 4, PNG_COLOR_TYPE_GRAY, 1, TDibFormat::ifGrayscale16},
                          FormatCase{"palette4", 4, PNG_COLOR_TYPE_PALETTE, 1, TDibFormat::ifColor16},
                          FormatCase{"gray8", 8, PNG_COLOR_TYPE_GRAY, 1, TDibFormat::ifGrayscale256},
                          FormatCase{"palette8", 8, PNG_COLOR_TYPE_PALETTE, 1, TDibFormat::ifColor256},
                          FormatCase{"gray16", 16, PNG_COLOR_TYPE_GRAY, 1, TDibFormat::ifGrayscale256},
                          FormatCase{"rgb8", 8, PNG_COLOR_TYPE_RGB, 3, TDibFormat::ifColorRgb24},
                          FormatCase{"rgb16", 16, PNG_COLOR_TYPE_RGB, 3, TDibFormat::ifColorRgb24}),
        ::testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_interlaced" : "");
    });

TEST(PngReader, TwoBitValuesBecomeFourBitIndexes) {
  PngPicture picture;
  picture.width = 9;
  picture.height = 2;
  picture.bitDepth = 2;
  picture.rows = PackRows(9, 2, 2, 1, [](int x, int, int) { return x % 4; });
  const auto gray = Load(WritePng(picture));
  for (int x = 0; x < 9; ++x) EXPECT_EQ(gray->GetPixelIndex(x, 1), (x % 4) * 5) << x;
  EXPECT_EQ(gray->GetRgbPixel(3, 0), 0xFFFFFFu);

  picture.colorType = PNG_COLOR_TYPE_PALETTE;
  picture.palette = RainbowPalette(4);
  const auto palette = Load(WritePng(picture));
  for (int x = 0; x < 9; ++x) EXPECT_EQ(palette->GetPixelIndex(x, 0), x % 4) << x;
}

// One RGBA pixel (200, 100, 50) at alpha 128 over the background.
struct Flattening {
  std::optional<png_color_16> fileBackground;
  bool replaceFileBackground;
  std::uint32_t pngBackground;
};

std::uint32_t FlattenRgbaPixel(int bitDepth, const Flattening& f) {
  PngPicture picture;
  picture.width = picture.height = 1;
  picture.bitDepth = bitDepth;
  picture.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  const int scale = bitDepth == 16 ? 257 : 1;
  picture.rows = PackRows(1, 1, bitDepth, 4, [&](int, int, int c) { return std::array{200, 100, 50, 128}[c] * scale; });
  picture.background = f.fileBackground;
  return Load(WritePng(picture), [&](TPngGraphic& g) {
           g.ReplaceFileBackground = f.replaceFileBackground;
           g.PngBackground = f.pngBackground;
         })->GetRgbPixel(0, 0);
}

// libpng blends in linear light: without a gAMA chunk the file is taken as
// gamma 0.5, so samples are squared, blended and the square root taken.
std::uint32_t LinearBlend(std::uint32_t foreground, std::uint32_t background, double alpha) {
  const auto blend = [&](int f, int b) {
    const double linear = alpha * (f / 255.0) * (f / 255.0) + (1 - alpha) * (b / 255.0) * (b / 255.0);
    return static_cast<std::uint8_t>(std::lround(255 * std::sqrt(linear)));
  };
  const TColor f = ColorFromRgb(foreground), b = ColorFromRgb(background);
  return MakeRgb(blend(RedOf(f), RedOf(b)), blend(GreenOf(f), GreenOf(b)), blend(BlueOf(f), BlueOf(b)));
}

void ExpectClose(std::uint32_t got, std::uint32_t want) {
  const TColor g = ColorFromRgb(got), w = ColorFromRgb(want);
  EXPECT_NEAR(RedOf(g), RedOf(w), 1) << std::hex << got << " " << want;
  EXPECT_NEAR(GreenOf(g), GreenOf(w), 1) << std::hex << got << " " << want;
  EXPECT_NEAR(BlueOf(g), BlueOf(w), 1) << std::hex << got << " " << want;
}

TEST(PngReader, AlphaIsFlattenedOntoTheRightBackground) {
  const png_color_16 blue{0, 0, 0, 255, 0};
  const png_color_16 blue16{0, 0, 0, 65535, 0};
  for (int depth : {8, 16}) {
    SCOPED_TRACE(depth);
    const auto fileBlue = depth == 16 ? blue16 : blue;
    const std::uint32_t pixel = MakeRgb(200, 100, 50);
    const double alpha = 128 / 255.0;
    ExpectClose(FlattenRgbaPixel(depth, {std::nullopt, false, 0}), LinearBlend(pixel, 0, alpha));
    ExpectClose(FlattenRgbaPixel(depth, {std::nullopt, false, 0xFFFFFF}), LinearBlend(pixel, 0xFFFFFF, alpha));
    ExpectClose(FlattenRgbaPixel(depth, {fileBlue, false, 0xFFFFFF}), LinearBlend(pixel, 0x0000FF, alpha));
    ExpectClose(FlattenRgbaPixel(depth, {fileBlue, true, 0x00FF00}), LinearBlend(pixel, 0x00FF00, alpha));
  }
}

TEST(PngReader, GrayAlphaWithoutBackgroundChunkGoesOntoBlack) {
  PngPicture picture;
  picture.width = picture.height = 1;
  picture.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  picture.rows = {{200, 128}};
  const auto graphic = Load(WritePng(picture), [](TPngGraphic& g) { g.PngBackground = 0xFFFFFF; });
  EXPECT_EQ(graphic->DibFormat(), TDibFormat::ifGrayscale256);
  EXPECT_NEAR(graphic->GetPixelIndex(0, 0), BlueOf(ColorFromRgb(LinearBlend(200, 0, 128 / 255.0))), 1);
}

TEST(PngReader, TransparentPaletteEntriesTakeTheBackground) {
  PngPicture picture;
  picture.width = 2;
  picture.height = 1;
  picture.colorType = PNG_COLOR_TYPE_PALETTE;
  picture.palette = {{10, 20, 30}, {200, 100, 50}};
  picture.paletteAlpha = {0, 255};
  picture.rows = {{0, 1}};
  const auto graphic = Load(WritePng(picture), [](TPngGraphic& g) { g.PngBackground = MakeRgb(1, 2, 3); });
  EXPECT_EQ(graphic->GetRgbPixel(0, 0), MakeRgb(1, 2, 3));
  EXPECT_EQ(graphic->GetRgbPixel(1, 0), MakeRgb(200, 100, 50));
}

TEST(PngReader, FileGammaIsCorrectedToTheDisplayUnlessSrgb) {
  PngPicture picture;
  picture.width = picture.height = 1;
  picture.rows = {{128}};
  const auto plain = Load(WritePng(picture));
  EXPECT_EQ(plain->GetPixelIndex(0, 0), 128);  // 0.5 assumed: 0.5 x 2.0 is no correction
  EXPECT_DOUBLE_EQ(plain->FileGamma, 0.5);

  picture.gamma = 0.45455;
  const auto corrected = Load(WritePng(picture));
  EXPECT_NEAR(corrected->FileGamma, 0.45455, 1e-5);
  EXPECT_NEAR(corrected->GetPixelIndex(0, 0), 119, 1);  // 255 x (128/255)^(1 / (0.45455 x 2.0))

  picture.srgb = true;
  EXPECT_EQ(Load(WritePng(picture))->GetPixelIndex(0, 0), 128);
}

TEST(PngReader, ResolutionComesFromPixelsPerMetre) {
  PngPicture picture;
  picture.width = picture.height = 1;
  picture.rows = {{0}};
  for (auto [perMetre, dpi] : {std::pair{3780u, 96}, {2835u, 72}, {11811u, 300}}) {
    picture.pixelsPerMetre = perMetre;
    const auto graphic = Load(WritePng(picture));
    EXPECT_EQ(graphic->XDpi(), dpi);
    EXPECT_EQ(graphic->YDpi(), dpi);
  }
}

// The IHDR chunk starts at byte 8; its data (width, height, ...) at byte 16.
void PatchIhdr(Bytes& png, std::uint32_t width, std::uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
  }
  const std::uint32_t crc = crc32(crc32(0, nullptr, 0), png.data() + 12, 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

TEST(PngReader, BadInputIsRefusedWithItsMessage) {
  PngPicture picture;
  picture.width = picture.height = 16;
  picture.colorType = PNG_COLOR_TYPE_RGB;
  picture.rows = PackRows(16, 16, 8, 3, [](int x, int y, int) { return x * y; });
  const Bytes good = WritePng(picture);

  Bytes notPng = good;
  notPng[1] = 'X';
  EXPECT_THROW_MESSAGE(Load(notPng), EPNGError, "PNG file is not valid or corrupted");
  EXPECT_THROW_MESSAGE(Load(Bytes(good.begin(), good.begin() + 5)), EPNGError, "PNG file is not valid or corrupted");
  EXPECT_THROW_MESSAGE(Load(Bytes(good.begin(), good.end() - 40)), EPNGError, "Read Error");
  Bytes badCrc = good;
  badCrc[20] ^= 1;
  EXPECT_THROW_MESSAGE(Load(badCrc), EPNGError, "IHDR: CRC error");

  Bytes huge = good;
  PatchIhdr(huge, 65535, 65535);
  EXPECT_THROW_MESSAGE(Load(huge), EInvalidGraphic, "Image size 65535 x 65535 is out of range");
  PatchIhdr(huge, 1u << 28, 1);
  EXPECT_THROW_MESSAGE(Load(huge), EPNGError, "Invalid IHDR data");  // beyond our limit on one side
}

// Remembers the largest read asked of it.
class RecordingStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  std::size_t Read(void* buffer, std::size_t count) override {
    largestRead = std::max(largestRead, count);
    return TMemoryStream::Read(buffer, count);
  }
  std::size_t largestRead = 0;
};

// Found by fuzzing: a text chunk claiming 800 MB made libpng allocate and
// ask for all of it at once. Chunks the reader does not use are skipped in
// small reads instead.
TEST(PngReader, HugeUnusedChunkIsSkippedNotBuffered) {
  PngPicture picture;
  picture.width = picture.height = 1;
  picture.rows = {{0}};
  Bytes png = WritePng(picture);
  const Bytes text = {0x31, 0x00, 0x70, 0x25, 't', 'E', 'X', 't', 'd', 'a', 't', 'e'};
  png.insert(png.begin() + 33, text.begin(), text.end());  // after the signature and IHDR
  QuietPngWarnings = true;
  RecordingStream stream(png);
  TPngGraphic graphic;
  EXPECT_THROW_MESSAGE(graphic.LoadFromStream(stream), EPNGError, "Read Error");
  EXPECT_LT(stream.largestRead, 1u << 20);
}

// The portable warning goes to standard error, where the test counts it; on
// Windows it is a message box.
#ifndef _WIN32
TEST(PngReader, ShowsOneWarningForAPictureOfManyDamagedChunks) {
  PngPicture picture;
  picture.width = picture.height = 1;
  picture.rows = {{7}};
  Bytes png = WritePng(picture);
  // 5000 private ancillary chunks of one byte, each with a wrong checksum, after the header chunk.
  Bytes damaged;
  for (int i = 0; i < 5000; ++i) {
    const Bytes chunk = {0, 0, 0, 1, 'p', 'r', 'V', 't', 0x55, 0xDE, 0xAD, 0xBE, 0xEF};
    damaged.insert(damaged.end(), chunk.begin(), chunk.end());
  }
  png.insert(png.begin() + 33, damaged.begin(), damaged.end());
  QuietPngWarnings = false;
  testing::internal::CaptureStderr();
  TPngGraphic graphic;
  LoadBytes(graphic, png);
  const std::string shown = testing::internal::GetCapturedStderr();
  QuietPngWarnings = true;
  EXPECT_EQ(graphic.GetScanLine(0)[0], 7);
  std::size_t boxes = 0;
  for (std::size_t at = shown.find("PNG Error:"); at != std::string::npos; at = shown.find("PNG Error:", at + 1)) ++boxes;
  EXPECT_EQ(boxes, 1u) << shown.substr(0, 200);
}
#endif

TEST(PngReader, RecognisesItsSignatureAndReportsProgress) {
  PngPicture picture;
  picture.width = 4;
  picture.height = 50;
  picture.interlaced = true;
  picture.rows = PackRows(4, 50, 8, 1, [](int x, int y, int) { return x + y; });
  TMemoryStream stream(WritePng(picture));
  TPngGraphic graphic;
  EXPECT_TRUE(graphic.CanLoadStream(stream));
  EXPECT_EQ(stream.Position(), 0);
  std::vector<int> reported;
  graphic.OnPercentDone = [&](TDibGraphic&, int percent) { reported.push_back(percent); };
  graphic.LoadFromStream(stream);
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.front(), 0);
  EXPECT_EQ(reported.back(), 100);
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));

  TMemoryStream other(Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0});
  EXPECT_FALSE(graphic.CanLoadStream(other));
  EXPECT_EQ(other.Position(), 0);
}

}  // namespace
}  // namespace huemira::test
