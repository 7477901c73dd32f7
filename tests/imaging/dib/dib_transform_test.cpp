#include <gtest/gtest.h>

#include "imaging/dib/image_transform.h"

namespace huemira {
namespace {

TEST(NegativeTransform, GrayImagesComplementTheirBytes) {
  TDibGraphic image;
  image.NewImage(3, 2, TDibFormat::ifGrayscale256, nullptr, 0, 0);
  image.FillWithColor(MakeRgb(10, 10, 10));
  image.SetPixelIndex(2, 1, 200);
  std::vector<int> progress;
  TNegativeTransform negative;
  negative.OnPercentDone = [&](TDibGraphic&, int percent) { progress.push_back(percent); };
  negative.Apply(image);
  EXPECT_EQ(image.GetPixelIndex(0, 0), 245);
  EXPECT_EQ(image.GetPixelIndex(2, 1), 55);
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
}

TEST(NegativeTransform, ColorPaletteImagesKeepIndexesAndInvertThePalette) {
  TDibGraphic image;
  image.NewImage(2, 2, TDibFormat::ifColor16, nullptr, 72, 72);
  image.FillWithColor(0);
  image.SetPixelIndex(1, 1, 6);  // brown (170, 85, 0)
  TNegativeTransform().Apply(image);
  EXPECT_EQ(image.GetPixelIndex(1, 1), 6);
  EXPECT_EQ(image.GetRgbPixel(1, 1), MakeRgb(85, 170, 255));
  EXPECT_EQ(image.GetRgbPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(image.XDpi(), 72);
}

TEST(NegativeTransform, TrueColorAndApplyOnDest) {
  TDibGraphic source;
  source.NewImage(2, 1, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  source.SetRgbPixel(0, 0, 0x102030);
  source.SetRgbPixel(1, 0, 0xFFFFFF);
  TDibGraphic dest;
  TNegativeTransform().ApplyOnDest(source, dest);
  EXPECT_EQ(dest.GetRgbPixel(0, 0), 0xEFDFCFu);
  EXPECT_EQ(dest.GetRgbPixel(1, 0), 0u);
  EXPECT_EQ(source.GetRgbPixel(0, 0), 0x102030u);  // the source is left alone
}

TEST(ImageTransform, BaseClassHasNoTransform) {
  TDibGraphic image;
  image.NewImage(1, 1, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  try {
    TImageTransform().Apply(image);
    FAIL();
  } catch (const EImbravaError& error) {
    EXPECT_STREQ(error.what(), "Method \"ApplyOnDest\" not implemented for TImageTransform class");
  }
}

}  // namespace
}  // namespace huemira
