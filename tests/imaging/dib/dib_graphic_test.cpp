#include <gtest/gtest.h>

#include <cstring>

#include "imaging/dib/dib_graphic.h"
#include "imaging/dib/dib_platform.h"

namespace huemira {
namespace {

TEST(DibGraphic, FreshObjectIsEmptyAndSizeCannotBeSet) {
  TDibGraphic image;
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Height(), 0);
  try {
    image.SetWidth(5);
    FAIL();
  } catch (const EImbravaError& error) {
    EXPECT_STREQ(error.what(), "Dimensions must be change with the NewImage method");
  }
  EXPECT_THROW(image.SetHeight(5), EImbravaError);
}

TEST(DibGraphic, HeaderOfABlackAndWhiteImage) {
  TDibGraphic image;
  image.NewImage(3, 2, TDibFormat::ifBlackAndWhite, nullptr, 0, 0);
  const TBitmapInfoHeader& header = image.BitmapInfo().header;
  EXPECT_EQ(image.Stride(), 4);
  EXPECT_EQ(header.size, 40u);
  EXPECT_EQ(header.width, 3);
  EXPECT_EQ(header.height, 2);  // positive: bottom-up
  EXPECT_EQ(header.planes, 1);
  EXPECT_EQ(header.bitCount, 1);
  EXPECT_EQ(header.compression, 0u);
  EXPECT_EQ(header.sizeImage, 8u);
  EXPECT_EQ(header.clrUsed, 2u);
  EXPECT_EQ(header.clrImportant, 0u);
  // Resolution 0 means the screen's (96 dpi without a screen).
  EXPECT_EQ(header.xPelsPerMeter, DpiToPelsPerMeter(static_cast<std::uint16_t>(ScreenDpiX())));
  EXPECT_EQ(image.XDpi(), ScreenDpiX());
  const TRgbQuad& white = image.BitmapInfo().colors[1];
  EXPECT_EQ(white.blue + white.green + white.red, 3 * 255);
  EXPECT_FALSE(image.Empty());
}

TEST(DibGraphic, StridesArePaddedTo32Bits) {
  TDibGraphic image;
  image.NewImage(1, 1, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  EXPECT_EQ(image.Stride(), 4);  // 3 bytes of pixel, 1 filler
  EXPECT_EQ(image.BitmapInfo().header.clrUsed, 0u);
  image.NewImage(5, 1, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  EXPECT_EQ(image.Stride(), 16);
  image.NewImage(9, 3, TDibFormat::ifColor16, nullptr, 0, 0);
  EXPECT_EQ(image.Stride(), 8);
  EXPECT_EQ(image.ImageSize(), 24u);
  image.NewImage(33, 1, TDibFormat::ifBlackAndWhite, nullptr, 0, 0);
  EXPECT_EQ(image.Stride(), 8);
}

TEST(DibGraphic, RowZeroIsTheLastRowInMemory) {
  TDibGraphic image;
  image.NewImage(2, 3, TDibFormat::ifGrayscale256, nullptr, 0, 0);
  EXPECT_EQ(image.GetScanLine(0), image.Bits() + 2 * image.Stride());
  EXPECT_EQ(image.GetScanLine(2), image.Bits());
  image.FillWithColor(0);
  image.SetPixelIndex(1, 0, 77);
  EXPECT_EQ(image.Bits()[2 * image.Stride() + 1], 77);
}

TEST(DibGraphic, TrueColorPixelsAreStoredBlueFirst) {
  TDibGraphic image;
  image.NewImage(2, 1, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  image.SetRgbPixel(1, 0, 0x00FF0000);
  const std::uint8_t* row = image.GetScanLine(0);
  EXPECT_EQ(row[3], 0x00);
  EXPECT_EQ(row[4], 0x00);
  EXPECT_EQ(row[5], 0xFF);
  image.SetRgbPixel(0, 0, 0x123456);
  EXPECT_EQ(image.GetRgbPixel(0, 0), 0x123456u);
  EXPECT_EQ(row[0], 0x56);
  try {
    image.GetPixelIndex(0, 0);
    FAIL();
  } catch (const EImbravaError& error) {
    EXPECT_STREQ(error.what(), "The image does not have a palette");
  }
  EXPECT_THROW(image.SetPixelIndex(0, 0, 1), EImbravaError);
}

TEST(DibGraphic, OneBitPixelsAreMostSignificantFirst) {
  TDibGraphic image;
  image.NewImage(10, 1, TDibFormat::ifBlackAndWhite, nullptr, 0, 0);
  std::memset(image.Bits(), 0, image.ImageSize());
  image.SetPixelIndex(0, 0, 1);
  image.SetPixelIndex(9, 0, 5);  // any value above 0 sets the bit
  const std::uint8_t* row = image.GetScanLine(0);
  EXPECT_EQ(row[0], 0x80);
  EXPECT_EQ(row[1], 0x40);
  image.SetPixelIndex(0, 0, 0);
  EXPECT_EQ(row[0], 0x00);
  EXPECT_EQ(image.GetPixelIndex(9, 0), 1);
  EXPECT_EQ(image.GetRgbPixel(9, 0), 0xFFFFFFu);
  // Only the low 8 bits of an index are written: 256 clears the bit.
  image.SetPixelIndex(9, 0, 256);
  EXPECT_EQ(image.GetPixelIndex(9, 0), 0);
}

TEST(DibGraphic, FourBitPixelsKeepTheOtherNibble) {
  TDibGraphic image;
  image.NewImage(3, 1, TDibFormat::ifGrayscale16, nullptr, 0, 0);
  std::memset(image.Bits(), 0, image.ImageSize());
  image.SetPixelIndex(0, 0, 0xA);
  image.SetPixelIndex(1, 0, 0x5);
  image.SetPixelIndex(2, 0, 0xF);
  const std::uint8_t* row = image.GetScanLine(0);
  EXPECT_EQ(row[0], 0xA5);
  EXPECT_EQ(row[1], 0xF0);
  image.SetPixelIndex(0, 0, 0x3);
  EXPECT_EQ(row[0], 0x35);
  EXPECT_EQ(image.GetPixelIndex(1, 0), 5);
  EXPECT_EQ(image.GetRgbPixel(2, 0), 0xFFFFFFu);
}

TEST(DibGraphic, RgbOnAPaletteImageTakesTheNearestIndex) {
  TDibGraphic image;
  image.NewImage(2, 1, TDibFormat::ifColor16, nullptr, 0, 0);
  image.SetRgbPixel(0, 0, MakeRgb(170, 85, 0));
  EXPECT_EQ(image.GetPixelIndex(0, 0), 6);
  // (0, 0, 85) is exactly between black (0) and dark blue (1): the lower index wins.
  image.SetRgbPixel(1, 0, MakeRgb(0, 0, 85));
  EXPECT_EQ(image.GetPixelIndex(1, 0), 0);
}

TEST(DibGraphic, GivenPaletteIsCopiedAndClampedToTheFormat) {
  TLogPalette palette;
  palette.count = 300;  // more than any format can index
  palette.entries[1] = {10, 20, 30, 0};
  TDibGraphic image;
  image.NewImage(4, 4, TDibFormat::ifColor16, &palette, 0, 0);
  EXPECT_EQ(image.Palette().count, 16);
  EXPECT_EQ(image.BitmapInfo().header.clrUsed, 16u);
  EXPECT_EQ(image.BitmapInfo().colors[1].blue, 30);
  image.SetPixelIndex(3, 3, 1);
  EXPECT_EQ(image.GetRgbPixel(3, 3), MakeRgb(10, 20, 30));
}

TEST(DibGraphic, FillWithColorPaintsEveryRow) {
  TDibGraphic image;
  image.NewImage(5, 4, TDibFormat::ifColor256, nullptr, 0, 0);
  image.FillWithColor(MakeRgb(255, 0, 0));  // pure red is entry 40 of the VGA table
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image.GetPixelIndex(x, y), 40) << x << "," << y;
  }
  TDibGraphic empty;
  empty.FillWithColor(0);  // nothing to do, no crash
  EXPECT_TRUE(empty.Empty());
}

TEST(DibGraphic, SizeCapRefusesBeforeAllocatingAndLeavesTheImageEmpty) {
  TDibGraphic image;
  image.NewImage(2, 2, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  EXPECT_THROW(image.NewImage(65535, 65535, TDibFormat::ifColorRgb24, nullptr, 0, 0), EInvalidGraphic);
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_THROW(image.NewImage(0, 1, TDibFormat::ifColor256, nullptr, 0, 0), EInvalidGraphic);
  EXPECT_THROW(image.NewImage(-5, 1, TDibFormat::ifColor256, nullptr, 0, 0), EInvalidGraphic);
  EXPECT_THROW(image.NewImage(1, 1, static_cast<TDibFormat>(9), nullptr, 0, 0), EImbravaError);
  EXPECT_TRUE(image.Empty());
}

TEST(DibGraphic, ResolutionRoundsTiesToEven) {
  EXPECT_EQ(PelsPerMeterToDpi(3780), 96);
  EXPECT_EQ(PelsPerMeterToDpi(2835), 72);
  EXPECT_EQ(PelsPerMeterToDpi(2500), 64);   // exactly 63.5
  EXPECT_EQ(PelsPerMeterToDpi(7500), 190);  // exactly 190.5
  EXPECT_EQ(DpiToPelsPerMeter(96), 3780);
  EXPECT_EQ(DpiToPelsPerMeter(300), 11811);

  TDibGraphic image;
  image.NewImage(1, 1, TDibFormat::ifColorRgb24, nullptr, 300, 72);
  EXPECT_EQ(image.XDpi(), 300);
  EXPECT_EQ(image.YDpi(), 72);
  image.SetXDpi(0);
  EXPECT_EQ(image.XDpi(), 0);
}

TEST(DibGraphic, AssignCopiesPixelsPaletteAndResolution) {
  TDibGraphic source;
  TLogPalette palette = DefaultPalette(TDibFormat::ifColor16);
  palette.entries[3] = {1, 2, 3, 0};
  source.NewImage(3, 2, TDibFormat::ifColor16, &palette, 150, 0);
  source.SetYDpi(0);
  source.FillWithColor(0);
  source.SetPixelIndex(2, 1, 3);
  source.FrameDelayMs = 70;

  TDibGraphic copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.DibFormat(), TDibFormat::ifColor16);
  EXPECT_EQ(copy.GetRgbPixel(2, 1), MakeRgb(1, 2, 3));
  EXPECT_EQ(copy.XDpi(), 150);
  EXPECT_EQ(copy.YDpi(), 0);  // 0 stays 0, not the screen's
  EXPECT_EQ(copy.FrameDelayMs, 70);

  copy.Assign(&copy);  // assigning to itself keeps the picture
  EXPECT_EQ(copy.GetRgbPixel(2, 1), MakeRgb(1, 2, 3));

  TDibGraphic empty;
  copy.Assign(&empty);
  EXPECT_TRUE(copy.Empty());
}

TEST(DibGraphic, AssignToBitmap24GivesTrueColorOfTheSameSize) {
  for (TDibFormat format : {TDibFormat::ifBlackAndWhite, TDibFormat::ifGrayscale16, TDibFormat::ifColor256,
                            TDibFormat::ifColorRgb24}) {
    TDibGraphic source;
    source.NewImage(7, 3, format, nullptr, 0, 0);
    source.FillWithColor(0);
    source.SetRgbPixel(6, 2, 0xFFFFFF);
    TDibGraphic bitmap;
    source.AssignToBitmap24(bitmap);
    EXPECT_EQ(bitmap.DibFormat(), TDibFormat::ifColorRgb24);
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.GetRgbPixel(6, 2), 0xFFFFFFu) << DibFormatText(format);
    EXPECT_EQ(bitmap.GetRgbPixel(0, 0), 0u);

    source.AssignToBitmap24(source);  // in place
    EXPECT_EQ(source.DibFormat(), TDibFormat::ifColorRgb24);
    EXPECT_EQ(source.GetRgbPixel(6, 2), 0xFFFFFFu);
  }
}

TEST(DibGraphic, TransparentColorComesFromTheChosenPixel) {
  TDibGraphic image;
  image.NewImage(2, 2, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  image.SetRgbPixel(0, 0, 1);
  image.SetRgbPixel(1, 0, 2);
  image.SetRgbPixel(0, 1, 3);
  image.SetRgbPixel(1, 1, 4);
  EXPECT_EQ(image.GetTransparentRgb(), 3u);  // bottom-left by default
  image.TransparentPixel = tpTopRight;
  EXPECT_EQ(image.GetTransparentRgb(), 2u);
  image.TransparentPixel = tpExplicitRgb;
  image.TransparentRgb = 0xABCDEF;
  EXPECT_EQ(image.GetTransparentRgb(), 0xABCDEFu);
  image.TransparentPixel = 5;
  try {
    image.GetTransparentRgb();
    FAIL();
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Invalid TransparentPixel");
  }
}

TEST(PaletteConverter, CachesAndResolvesSlotCollisions) {
  const TLogPalette& palette = DefaultPalette(TDibFormat::ifColor16);
  TRgbToPaletteConverter converter(palette);
  EXPECT_EQ(converter.NearestIndex(0xFFFFFF), 15);
  EXPECT_EQ(converter.NearestIndex(0xFFFFFF), 15);
  EXPECT_EQ(converter.Hits(), 1u);
  EXPECT_EQ(converter.Misses(), 1u);
  // 0 and 1020 share a slot: the second must not be answered from the first's entry.
  EXPECT_EQ(converter.NearestIndex(0), 0);
  EXPECT_EQ(converter.NearestIndex(1020), 1);  // (0, 3, 252): dark blue
  EXPECT_EQ(converter.Misses(), 3u);
}

TEST(PercentStep, ReportsOnlyChangesAndClamps) {
  TDibGraphic sender;
  std::vector<int> heard;
  const TPercentDone callback = [&](TDibGraphic&, int percent) { heard.push_back(percent); };
  EXPECT_EQ(PercentStep(sender, 50, 0, 255, 100, nullptr), 0);
  EXPECT_EQ(PercentStep(sender, 50, 0, 255, 100, callback), 50);
  EXPECT_EQ(PercentStep(sender, 50, 0, 50, 100, callback), 50);  // unchanged: not reported
  EXPECT_EQ(PercentStep(sender, 500, 0, 50, 100, callback), 100);
  EXPECT_EQ(PercentStep(sender, -5, 0, 100, 100, callback), 0);
  EXPECT_EQ(PercentStep(sender, 7, 5, 255, 5, callback), 0);  // empty range
  EXPECT_EQ(PercentStep(sender, INT64_MAX, INT64_MIN, 0, INT64_MAX, callback), 100);  // no overflow
  EXPECT_EQ(heard, (std::vector<int>{50, 100, 0, 0, 100}));
}

}  // namespace
}  // namespace huemira
