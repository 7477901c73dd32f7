// What the picture window gets from a GIF: the shown frame over white, with
// pixels of the transparent colour left white.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/exception.h"

#include "gif_test_support.h"
#include "imaging/dib/picture_formats.h"
#include "imaging/gif/register.h"

namespace huemira::test {
namespace {

const Rgb kRed = {200, 0, 0}, kGreen = {0, 160, 0}, kBlue = {0, 0, 90};

// A 4 x 1 frame of indexes 0 1 2 3 whose table holds red twice (entries 1 and 3).
std::vector<std::uint8_t> TwiceRedGif(int transparentIndex) {
  GifBytes gif;
  gif.Header().Screen(4, 1, 0x91).Table({kBlue, kRed, kGreen, kRed});
  if (transparentIndex >= 0) gif.GraphicControl(0x01, 0, transparentIndex);
  gif.Descriptor(0, 0, 4, 1, 0).ImageData(2, LiteralCodeStream({0, 1, 2, 3}, 2)).Trailer();
  return gif.bytes;
}

TEST(GifShown, TransparencyGoesByColorNotByIndex) {
  TGIFImage image;
  LoadGif(image, TwiceRedGif(3));
  EXPECT_TRUE(image.Transparent());
  EXPECT_EQ(image.Frames()[0]->TransparentColor, GifColorValue(200, 0, 0));
  TDibGraphic shown;
  image.AssignToBitmap24(shown);
  EXPECT_EQ(shown.DibFormat(), TDibFormat::ifColorRgb24);
  EXPECT_EQ(RgbBytes(shown), (std::vector<std::uint8_t>{0, 0, 90, 255, 255, 255, 0, 160, 0, 255, 255, 255}));

  // With the switch off, or without a transparent entry, every pixel is painted.
  image.TransparentSwitch = false;
  image.AssignToBitmap24(shown);
  EXPECT_EQ(RgbBytes(shown)[3], 200);
  LoadGif(image, TwiceRedGif(-1));
  EXPECT_FALSE(image.Transparent());
  image.AssignToBitmap24(shown);
  EXPECT_EQ(RgbBytes(shown), (std::vector<std::uint8_t>{0, 0, 90, 200, 0, 0, 0, 160, 0, 200, 0, 0}));
}

TEST(GifShown, RowsForTheBmpWriterMatchTheBitmap) {
  TGIFImage image;
  LoadGif(image, SimpleGif(5, 3, Palette(8), {0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6}));
  TDibGraphic shown;
  image.AssignToBitmap24(shown);
  std::vector<int> order;
  image.ForEachRow24BottomUp([&](int y, const std::uint8_t* bgr) {
    order.push_back(y);
    EXPECT_EQ(0, std::memcmp(bgr, shown.GetScanLine(y), 15)) << y;
  });
  EXPECT_EQ(order, (std::vector<int>{2, 1, 0}));
}

TEST(GifShown, AssignToKeepsTheTransparentColor) {
  TGIFImage image;
  LoadGif(image, TwiceRedGif(1));
  TDibGraphic frame;
  image.AssignTo(frame);
  EXPECT_EQ(frame.DibFormat(), TDibFormat::ifColor16);
  EXPECT_TRUE(frame.Transparent);
  EXPECT_EQ(frame.TransparentPixel, tpExplicitRgb);
  EXPECT_EQ(frame.TransparentRgb, MakeRgb(200, 0, 0));
  EXPECT_EQ(Indexes(frame), (std::vector<std::uint8_t>{0, 1, 2, 3}));
}

TEST(GifShown, ProgressRunsFromStartToEnd) {
  TGIFImage image;
  std::vector<std::pair<TProgressStage, int>> reports;
  image.OnProgress = [&](TGIFImage&, TProgressStage stage, int percent, const std::string&) {
    reports.emplace_back(stage, percent);
  };
  int changes = 0;
  image.OnChange = [&](TGIFImage&) { ++changes; };
  LoadGif(image, TwiceRedGif(-1));
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports.front(), std::make_pair(TProgressStage::Starting, 0));
  EXPECT_EQ(reports.back(), std::make_pair(TProgressStage::Ending, 100));
  EXPECT_EQ(reports[reports.size() - 2].first, TProgressStage::Running);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(image.PaletteModified);
}

TEST(GifShown, RegisteredForTheGifExtension) {
  RegisterGifFormats();
  const TGraphicFormat* format = FindGraphicFormat(".GIF");
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->description, "CompuServe GIF Image");
  auto graphic = format->factory();
  EXPECT_STREQ(graphic->ClassName(), "TGIFImage");
  EXPECT_TRUE(graphic->Empty());
}

// Frames of width x height, each with no pixel data at all.
std::vector<std::uint8_t> EmptyFrames(int count, std::uint16_t width, std::uint16_t height) {
  GifBytes gif;
  gif.Header().Screen(width, height, 0x80).Table(Palette(2));
  for (int i = 0; i < count; ++i) gif.Descriptor(0, 0, width, height, 0).ImageData(2, {});
  gif.Trailer();
  return gif.bytes;
}

TEST(GifShown, TheRegisteredReaderStopsAfterTheFirstFrame) {
  GifBytes gif;
  gif.Header().Screen(2, 1, 0x81).Table(Palette(4));
  for (const std::uint8_t index : {1, 2, 3}) gif.Descriptor(0, 0, 2, 1, 0).ImageData(2, LiteralCodeStream({index, index}, 2));
  gif.Trailer();
  TGIFImage whole;
  LoadGif(whole, gif.bytes);
  EXPECT_EQ(whole.Frames().size(), 3u);

  RegisterGifFormats();
  std::unique_ptr<TGraphic> shown = CreateGraphicForExtension("gif");
  TMemoryStream stream(gif.bytes);
  shown->LoadFromStream(stream);
  const auto& frames = static_cast<TGIFImage&>(*shown).Frames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(Indexes(frames[0]->Bitmap()), (std::vector<std::uint8_t>{1, 1}));
}

TEST(GifLimits, FramesThatTogetherTakeMoreThanOnePictureAreRefused) {
  // Three frames of the largest square a picture may be take more than it
  // would at 24 bits; two do not. Nothing is decoded.
  const auto load = [](const std::vector<std::uint8_t>& bytes) {
    TGIFImage image;
    TMemoryStream stream(bytes);
    image.LoadFromBytes(stream, static_cast<std::int64_t>(bytes.size()), false);
    return image.Frames().size();
  };
  EXPECT_EQ(load(EmptyFrames(2, 11585, 11585)), 2u);
  try {
    load(EmptyFrames(3, 11585, 11585));
    FAIL() << "three frames were kept";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "GIF image is too large");
  }
  // Frames too large to decode cost nothing until they are decoded (and refused).
  EXPECT_EQ(load(EmptyFrames(3, 65535, 65535)), 3u);
}

}  // namespace
}  // namespace huemira::test
