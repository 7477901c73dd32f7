#include <gtest/gtest.h>

#include "imaging/dib/dib_format.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/imbrava_error.h"

namespace huemira {
namespace {

bool SameEntry(const TPaletteEntry& entry, int red, int green, int blue) {
  return entry.red == red && entry.green == green && entry.blue == blue;
}

TEST(DibFormat, BitsTextsAndInvalidValues) {
  EXPECT_EQ(BitsPerPixel(TDibFormat::ifBlackAndWhite), 1);
  EXPECT_EQ(BitsPerPixel(TDibFormat::ifGrayscale16), 4);
  EXPECT_EQ(BitsPerPixel(TDibFormat::ifColor16), 4);
  EXPECT_EQ(BitsPerPixel(TDibFormat::ifColor256), 8);
  EXPECT_EQ(BitsPerPixel(TDibFormat::ifColorRgb24), 24);
  EXPECT_EQ(DibFormatText(TDibFormat::ifGrayscale16), "16 shades of gray");
  EXPECT_EQ(DibFormatText(TDibFormat::ifColorRgb24), "True color");
  EXPECT_EQ(DibFormatText(static_cast<TDibFormat>(6)), "");

  // 0x80 has the low seven bits of ifBlackAndWhite but names no format.
  for (int value : {6, 0x80, 0xFF}) {
    try {
      BitsPerPixel(static_cast<TDibFormat>(value));
      ADD_FAILURE() << value;
    } catch (const EImbravaError& error) {
      EXPECT_STREQ(error.what(), "Internal error: Invalid image format");
    }
  }
  EXPECT_THROW(DefaultPalette(TDibFormat::ifColorRgb24), EImbravaError);
}

TEST(DibFormat, SmallDefaultPalettes) {
  const TLogPalette& bw = DefaultPalette(TDibFormat::ifBlackAndWhite);
  ASSERT_EQ(bw.count, 2);
  EXPECT_TRUE(SameEntry(bw.entries[0], 0, 0, 0));
  EXPECT_TRUE(SameEntry(bw.entries[1], 255, 255, 255));

  const TLogPalette& gray16 = DefaultPalette(TDibFormat::ifGrayscale16);
  ASSERT_EQ(gray16.count, 16);
  EXPECT_TRUE(SameEntry(gray16.entries[1], 17, 17, 17));
  EXPECT_TRUE(SameEntry(gray16.entries[15], 255, 255, 255));

  const TLogPalette& gray256 = DefaultPalette(TDibFormat::ifGrayscale256);
  ASSERT_EQ(gray256.count, 256);
  EXPECT_TRUE(SameEntry(gray256.entries[200], 200, 200, 200));

  const TLogPalette& color16 = DefaultPalette(TDibFormat::ifColor16);
  ASSERT_EQ(color16.count, 16);
  EXPECT_TRUE(SameEntry(color16.entries[6], 170, 85, 0));  // brown, not dark yellow
  EXPECT_TRUE(SameEntry(color16.entries[9], 85, 85, 255));
}

TEST(DibFormat, VgaDerived256ColorPalette) {
  const TLogPalette& vga = DefaultPalette(TDibFormat::ifColor256);
  const TLogPalette& color16 = DefaultPalette(TDibFormat::ifColor16);
  ASSERT_EQ(vga.count, 256);
  for (int i = 0; i < 16; ++i) {
    EXPECT_TRUE(SameEntry(vga.entries[i], color16.entries[i].red, color16.entries[i].green, color16.entries[i].blue))
        << i;
  }
  const int ramp[16] = {0, 20, 32, 44, 56, 69, 81, 97, 113, 130, 146, 162, 182, 203, 227, 255};
  for (int i = 0; i < 16; ++i) {
    if (i == 14) continue;  // entry 30 is one of the three that differ
    EXPECT_TRUE(SameEntry(vga.entries[16 + i], ramp[i], ramp[i], ramp[i])) << 16 + i;
  }
  // The three entries that differ from the VGA table.
  EXPECT_TRUE(SameEntry(vga.entries[30], 227, 179, 179));
  EXPECT_TRUE(SameEntry(vga.entries[85], 223, 182, 235));
  EXPECT_TRUE(SameEntry(vga.entries[96], 182, 223, 182));
  // Their VGA neighbours follow the hue wheel of the high-intensity, low-saturation block.
  EXPECT_TRUE(SameEntry(vga.entries[84], 255, 182, 255));
  EXPECT_TRUE(SameEntry(vga.entries[86], 255, 182, 219));
  EXPECT_TRUE(SameEntry(vga.entries[97], 182, 255, 199));

  // Block starts and turning points of the hue wheel.
  EXPECT_TRUE(SameEntry(vga.entries[32], 0, 0, 255));
  EXPECT_TRUE(SameEntry(vga.entries[33], 65, 0, 255));
  EXPECT_TRUE(SameEntry(vga.entries[36], 255, 0, 255));
  EXPECT_TRUE(SameEntry(vga.entries[40], 255, 0, 0));
  EXPECT_TRUE(SameEntry(vga.entries[44], 255, 255, 0));
  EXPECT_TRUE(SameEntry(vga.entries[48], 0, 255, 0));
  EXPECT_TRUE(SameEntry(vga.entries[52], 0, 255, 255));
  EXPECT_TRUE(SameEntry(vga.entries[55], 0, 65, 255));
  EXPECT_TRUE(SameEntry(vga.entries[56], 125, 125, 255));   // medium saturation
  EXPECT_TRUE(SameEntry(vga.entries[104], 0, 0, 113));      // medium intensity
  EXPECT_TRUE(SameEntry(vga.entries[176], 0, 0, 65));       // low intensity
  EXPECT_TRUE(SameEntry(vga.entries[247], 44, 48, 65));     // last hue of the last block
  for (int i = 248; i < 256; ++i) EXPECT_TRUE(SameEntry(vga.entries[i], 0, 0, 0)) << i;
}

TEST(ImageLimits, AdmitsLargePhotosAndRefusesLyingHeaders) {
  EXPECT_TRUE(ImageSizeAllowed(11648, 8736));  // 100-megapixel photo
  EXPECT_TRUE(ImageSizeAllowed(1, 1));
  EXPECT_TRUE(ImageSizeAllowed(kMaxImagePixels, 1));
  EXPECT_FALSE(ImageSizeAllowed(kMaxImagePixels + 1, 1));
  EXPECT_FALSE(ImageSizeAllowed(65535, 65535));
  EXPECT_FALSE(ImageSizeAllowed(0, 10));
  EXPECT_FALSE(ImageSizeAllowed(10, -1));
  EXPECT_FALSE(ImageSizeAllowed(INT64_MAX, INT64_MAX));  // product would overflow
  EXPECT_EQ(DibStride(3, 1), 4);
  EXPECT_EQ(DibStride(1, 24), 4);
  EXPECT_EQ(DibStride(9, 4), 8);
}

}  // namespace
}  // namespace huemira
