// Writing: what our writer produces must read back as the same picture.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "framework/exception.h"
#include "gif_test_support.h"

namespace huemira::test {
namespace {

std::vector<std::uint8_t> Save(TGIFImage& image) {
  TMemoryStream stream;
  image.SaveToStream(stream);
  return stream.Bytes();
}

std::unique_ptr<TDibGraphic> RandomIndexed(TDibFormat format, int width, int height, unsigned seed, int colors) {
  std::mt19937 random(seed);
  auto bitmap = std::make_unique<TDibGraphic>();
  TLogPalette palette;
  palette.count = static_cast<std::uint16_t>(colors);
  for (int i = 0; i < colors; ++i) {
    palette.entries[i] = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                          static_cast<std::uint8_t>(random()), 0};
  }
  bitmap->NewImage(width, height, format, &palette, 0, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap->SetPixelIndex(x, y, static_cast<int>(random() % colors));
  return bitmap;
}

TEST(GifWriter, IndexedBitmapsRoundTrip) {
  struct Case {
    TDibFormat format;
    int colors;
  };
  for (const Case& c : {Case{TDibFormat::ifBlackAndWhite, 2}, Case{TDibFormat::ifColor16, 16},
                        Case{TDibFormat::ifColor256, 5}, Case{TDibFormat::ifColor256, 256}}) {
    // Large enough for the encoder to fill its table and start over many times.
    const auto random = RandomIndexed(c.format, 301, 207, 7 + c.colors, c.colors);
    const TDibGraphic& bitmap = *random;
    TGIFImage image;
    image.Assign(bitmap);
    const std::vector<std::uint8_t> bytes = Save(image);

    TGIFImage loaded;
    LoadGif(loaded, bytes);
    ASSERT_EQ(loaded.Width(), 301);
    ASSERT_EQ(loaded.Height(), 207);
    EXPECT_FALSE(loaded.Frames()[0]->Corrupted);
    EXPECT_EQ(Indexes(loaded.Frames()[0]->Bitmap()), Indexes(bitmap)) << c.colors;
    TDibGraphic expected, actual;
    bitmap.AssignToBitmap24(expected);
    loaded.AssignToBitmap24(actual);
    EXPECT_EQ(RgbBytes(actual), RgbBytes(expected)) << c.colors;
  }
}

TEST(GifWriter, TrueColorIsReducedToItsOwnColorsWhenFewEnough) {
  TDibGraphic bitmap;
  bitmap.NewImage(40, 30, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      bitmap.SetRgbPixel(x, y, MakeRgb(static_cast<std::uint8_t>(x % 16 * 16), 7, static_cast<std::uint8_t>(y % 16 * 16)));
    }
  TGIFImage image;
  image.Assign(bitmap);
  TGIFImage loaded;
  LoadGif(loaded, Save(image));
  TDibGraphic actual;
  loaded.AssignToBitmap24(actual);
  EXPECT_EQ(RgbBytes(actual), RgbBytes(bitmap));
}

TEST(GifWriter, ManyColorsAndGreyLevelsStayClose) {
  TDibGraphic bitmap;
  bitmap.NewImage(64, 64, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      bitmap.SetRgbPixel(x, y, MakeRgb(static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                                       static_cast<std::uint8_t>(x + y)));
  for (bool gray : {false, true}) {
    TGIFImage image;
    image.Assign(bitmap);
    image.Frames()[0]->Grayscale = gray;
    TGIFImage loaded;
    LoadGif(loaded, Save(image));
    TDibGraphic actual;
    loaded.AssignToBitmap24(actual);
    const std::vector<std::uint8_t> got = RgbBytes(actual), want = RgbBytes(bitmap);
    ASSERT_EQ(got.size(), want.size());
    int worst = 0;
    for (std::size_t i = 0; i < got.size(); i += 3) {
      const int luma = (77 * want[i] + 150 * want[i + 1] + 29 * want[i + 2] + 128) >> 8;
      for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(got[i + k] - (gray ? luma : want[i + k])));
    }
    EXPECT_LE(worst, gray ? 1 : 26) << gray;
  }
}

TEST(GifWriter, FramesTransparencyAndLoopSurvive) {
  TGIFImage image;
  image.AddFrame(*RandomIndexed(TDibFormat::ifColor16, 9, 4, 1, 16));
  const int second = image.AddFrame(*RandomIndexed(TDibFormat::ifColor16, 5, 6, 2, 16));
  EXPECT_EQ(image.Version, TGifVersion::GIF89a);
  TGIFFrame& frame = *image.Frames()[static_cast<std::size_t>(second)];
  frame.Left = 20;
  frame.Delay = 120;
  frame.DisposalMethod = 2;
  image.Looping = true;
  image.RepeatCount = 7;
  image.Data().comment = {"made", "here"};
  const std::vector<std::uint8_t> bytes = Save(image);
  // The second frame's own palette differs from the first, which became the global table.
  frame.TransparentColor = GifColorValue(frame.Bitmap().Palette().entries[3].red,
                                         frame.Bitmap().Palette().entries[3].green,
                                         frame.Bitmap().Palette().entries[3].blue);
  const std::vector<std::uint8_t> withTransparency = Save(image);
  EXPECT_EQ(withTransparency.size(), bytes.size()) << "the existing graphic control is updated, not added";

  TGIFImage loaded;
  LoadGif(loaded, withTransparency);
  ASSERT_EQ(loaded.Frames().size(), 2u);
  EXPECT_EQ(loaded.LogicalWidth, 25);
  EXPECT_EQ(loaded.LogicalHeight, 6);
  EXPECT_TRUE(loaded.Looping);
  EXPECT_EQ(loaded.RepeatCount, 7);
  EXPECT_EQ(loaded.Data().comment, (std::vector<std::string>{"made", "here"}));
  const TGIFFrame& back = *loaded.Frames()[1];
  EXPECT_TRUE(back.OwnColorTable);
  EXPECT_EQ(back.Left, 20);
  EXPECT_EQ(back.Delay, 120);
  EXPECT_EQ(back.DisposalMethod, 2);
  EXPECT_EQ(back.TransparentColor, frame.TransparentColor);
  EXPECT_EQ(Indexes(loaded.Frames()[1]->Bitmap()), Indexes(frame.Bitmap()));
}

TEST(GifWriter, LoadedFilesAreWrittenBackWithTheirCompressedData) {
  const std::vector<std::uint8_t> original = SimpleGif(3, 2, Palette(4), {0, 1, 2, 3, 2, 1});
  TGIFImage image;
  LoadGif(image, original);
  EXPECT_EQ(Save(image), original);
}

TEST(GifWriter, CutShortFrameGetsItsEndSoLaterBlocksStayReadable) {
  // A frame whose data lost its terminator, followed by a comment.
  GifBytes gif;
  gif.Header().Screen(2, 1, 0x80).Table(Palette(2)).Descriptor(0, 0, 2, 1, 0)
      .ImageData(2, LiteralCodeStream({1, 0}, 2), false);
  TGIFImage image;
  LoadGif(image, gif.bytes);
  image.Data().comment = {"after"};
  TGIFImage loaded;
  LoadGif(loaded, Save(image));
  EXPECT_EQ(loaded.Data().comment, (std::vector<std::string>{"after"}));
  EXPECT_EQ(Indexes(loaded.Frames()[0]->Bitmap()), (std::vector<std::uint8_t>{1, 0}));
}

TEST(GifWriter, NothingToWriteFails) {
  TGIFImage image;
  TMemoryStream stream;
  try {
    image.SaveToStream(stream);
    FAIL();
  } catch (const EInvalidGraphicOperation& error) {
    EXPECT_STREQ(error.what(), "No GIF Data to write");
  }
}

}  // namespace
}  // namespace huemira::test
