#include <random>

#include "imaging/libreaders/jpeg_graphic.h"
#include "imaging/libreaders/png_graphic.h"
#include "imaging/libreaders/tiff_graphic.h"
#include "reader_test_support.h"

namespace huemira::test {
namespace {

constexpr TDibFormat kAllFormats[] = {TDibFormat::ifBlackAndWhite, TDibFormat::ifGrayscale16,
                                      TDibFormat::ifGrayscale256, TDibFormat::ifColor16,
                                      TDibFormat::ifColor256,     TDibFormat::ifColorRgb24};

// A picture of noise in format: every pixel different from its neighbours.
void MakeNoise(TDibGraphic& image, TDibFormat format, int width = 29, int height = 13) {
  image.NewImage(width, height, format, nullptr, 300, 150);
  std::mt19937 random(7);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (format == TDibFormat::ifColorRgb24) {
        image.SetRgbPixel(x, y, random() & 0xFFFFFF);
      } else {
        image.SetPixelIndex(x, y, static_cast<int>(random() % (1u << BitsPerPixel(format))));
      }
    }
  }
}

::testing::AssertionResult SameImage(const TDibGraphic& a, const TDibGraphic& b, int tolerance = 0) {
  RgbImage expected{a.Width(), a.Height(), {}};
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const TColor color = ColorFromRgb(a.GetRgbPixel(x, y));
      expected.rgb.insert(expected.rgb.end(), {RedOf(color), GreenOf(color), BlueOf(color)});
    }
  }
  return SamePixels(b, expected, tolerance);
}

template <class G>
std::unique_ptr<G> ReadBack(TMemoryStream& stream) {
  QuietPngWarnings = true;  // no message box may stop a test
  stream.SetPosition(0);
  auto graphic = std::make_unique<G>();
  graphic->LoadFromStream(stream);
  return graphic;
}

TEST(PngWriter, EveryFormatRoundTrips) {
  QuietPngWarnings = true;
  for (TDibFormat format : kAllFormats) {
    for (bool interlaced : {false, true}) {
      SCOPED_TRACE(DibFormatText(format) + (interlaced ? " interlaced" : ""));
      TPngGraphic png;
      MakeNoise(png, format);
      png.WriteInterlaced = interlaced;
      TMemoryStream stream;
      png.SaveToStream(stream);
      const auto again = ReadBack<TPngGraphic>(stream);
      EXPECT_EQ(again->DibFormat(), format);
      EXPECT_EQ(again->XDpi(), 300);
      EXPECT_EQ(again->YDpi(), 150);
      EXPECT_TRUE(SameImage(png, *again));
    }
  }
}

TEST(PngWriter, GrayPicturesCannotCarryTransparency) {
  TPngGraphic png;
  MakeNoise(png, TDibFormat::ifGrayscale256);
  png.WriteTransparency = true;
  TMemoryStream stream;
  EXPECT_THROW_MESSAGE(png.SaveToStream(stream), EPNGError,
                       "Gray scale transparent PNG images are not supported.\rUse the ifColor16 or ifColor256 "
                       "image format instead.");
  EXPECT_EQ(stream.Size(), 0);
}

TEST(PngWriter, TransparentPaletteEntryReadsAsTheBackground) {
  TPngGraphic png;
  TLogPalette palette;
  palette.count = 2;
  palette.entries[0] = {10, 20, 30, 0};
  palette.entries[1] = {200, 100, 50, 0};
  png.NewImage(2, 1, TDibFormat::ifColor16, &palette, 0, 0);
  png.SetPixelIndex(0, 0, 0);
  png.SetPixelIndex(1, 0, 1);
  png.WriteTransparency = true;
  png.PngTransparentRgb = MakeRgb(10, 20, 30);
  TMemoryStream stream;
  png.SaveToStream(stream);
  stream.SetPosition(0);
  QuietPngWarnings = true;
  TPngGraphic again;
  again.PngBackground = MakeRgb(1, 2, 3);
  again.LoadFromStream(stream);
  EXPECT_EQ(again.GetRgbPixel(0, 0), MakeRgb(1, 2, 3));
  EXPECT_EQ(again.GetRgbPixel(1, 0), MakeRgb(200, 100, 50));
}

TEST(JpegWriter, GrayAndTrueColorRoundTripClosely) {
  for (TDibFormat format : {TDibFormat::ifGrayscale256, TDibFormat::ifColorRgb24}) {
    TJpegGraphic jpeg;
    jpeg.NewImage(32, 24, format, nullptr, 300, 300);
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 32; ++x) jpeg.SetRgbPixel(x, y, MakeRgb(x * 8, y * 10, 128));
    }
    jpeg.JpegQuality = 95;
    TMemoryStream stream;
    jpeg.SaveToStream(stream);
    const auto again = ReadBack<TJpegGraphic>(stream);
    EXPECT_EQ(again->DibFormat(), format);
    EXPECT_EQ(again->XDpi(), 300);
    EXPECT_TRUE(SameImage(jpeg, *again, 16));  // lossy; a swapped channel would be off by far more
  }
}

TEST(JpegWriter, OnlyGrayAndTrueColorAreWritten) {
  TJpegGraphic jpeg;
  MakeNoise(jpeg, TDibFormat::ifColor256);
  TMemoryStream stream;
  EXPECT_THROW_MESSAGE(jpeg.SaveToStream(stream), EJpegError, "JPEG image must be gray scale or true color");
}

TEST(TiffWriter, EveryFormatAndCompressionRoundTrips) {
  using C = TTiffCompression;
  for (TDibFormat format : kAllFormats) {
    std::vector<C> compressions = {C::tcNone, C::tcPackbits, C::tcZLib};
    if (format == TDibFormat::ifBlackAndWhite) {
      compressions.insert(compressions.end(), {C::tcCcittGroup3_1D, C::tcCcittGroup3_2D, C::tcCcittGroup4});
    }
    for (C compression : compressions) {
      SCOPED_TRACE(DibFormatText(format) + " " + TiffCompressionText(compression));
      TTiffGraphic tiff;
      MakeNoise(tiff, format);
      tiff.SetCompression(compression);
      tiff.RowsPerStrip = 5;
      TMemoryStream stream;
      tiff.SaveToStream(stream);
      const auto again = ReadBack<TTiffGraphic>(stream);
      EXPECT_EQ(again->DibFormat(), format);
      EXPECT_EQ(again->Compression(), compression);
      EXPECT_EQ(again->XDpi(), 300);
      EXPECT_EQ(again->Software, "Imbrava Image Library");
      EXPECT_TRUE(SameImage(tiff, *again));
    }
  }
  TTiffGraphic jpeg;
  MakeNoise(jpeg, TDibFormat::ifColorRgb24);
  jpeg.SetCompression(C::tcJpeg);
  jpeg.TiffJpegQuality = 100;
  TMemoryStream stream;
  jpeg.SaveToStream(stream);
  EXPECT_EQ(ReadBack<TTiffGraphic>(stream)->Compression(), C::tcJpeg);
}

TEST(TiffWriter, AppendedPagesAndPrivateTagsAreReadBack) {
  TMemoryStream stream;
  for (int page = 0; page < 3; ++page) {
    TTiffGraphic tiff;
    MakeNoise(tiff, TDibFormat::ifColorRgb24, 10 + page, 5);
    tiff.CustomTags[0].Value = "page " + std::to_string(page + 1);
    tiff.AppendImage(stream);
  }
  stream.SetPosition(0);
  TTiffGraphic reader;
  EXPECT_EQ(reader.GetImageCount(stream), 3);
  stream.SetPosition(0);
  reader.LoadIndex = 2;
  reader.LoadFromStream(stream);
  EXPECT_EQ(reader.Width(), 11);
  EXPECT_EQ(reader.CustomTags[0].Value, "page 2");
}

TEST(TiffWriter, PictureWrittenInsideAStreamIsReadWhereItLies) {
  TTiffGraphic tiff;
  MakeNoise(tiff, TDibFormat::ifColor256);
  TMemoryStream stream;
  stream.WriteBuffer("prefix", 6);
  tiff.SaveToStream(stream);
  stream.SetPosition(6);
  TTiffGraphic again;
  again.LoadFromStream(stream);
  EXPECT_TRUE(SameImage(tiff, again));
}

}  // namespace
}  // namespace huemira::test
