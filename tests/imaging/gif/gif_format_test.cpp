// Parsing: header, extensions, frames, and what damaged files get.
#include <gtest/gtest.h>

#include "framework/exception.h"
#include "gif_test_support.h"

namespace huemira::test {
namespace {

const std::vector<Rgb> kFourColors = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

// A 2 x 2 frame of indexes 0 1 / 2 3 after whatever extensions precede it.
GifBytes FourColorImage(GifBytes gif) {
  gif.Descriptor(0, 0, 2, 2, 0).ImageData(2, LiteralCodeStream({0, 1, 2, 3}, 2));
  return gif;
}

GifBytes FourColorStart(const std::string& signature = "GIF89a") {
  GifBytes gif;
  gif.Header(signature).Screen(2, 2, 0x81).Table(kFourColors);
  return gif;
}

template <class Error>
std::string LoadError(const std::vector<std::uint8_t>& bytes) {
  TGIFImage image;
  try {
    LoadGif(image, bytes);
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

TEST(GifHeader, SignatureAndVersionInAnyLetterCase) {
  TGIFImage image;
  LoadGif(image, FourColorImage(FourColorStart("gif89A")).Trailer().bytes);
  EXPECT_EQ(image.Version, TGifVersion::GIF89a);
  EXPECT_EQ(image.Width(), 2);
  LoadGif(image, FourColorImage(FourColorStart("GIF87a")).Trailer().bytes);
  EXPECT_EQ(image.Version, TGifVersion::GIF87a);
}

TEST(GifHeader, UnknownVersionsAndSignaturesFail) {
  EXPECT_EQ(LoadError<EInvalidGraphicOperation>(FourColorImage(FourColorStart("GIF88a")).bytes),
            "Unknown GIF version");
  EXPECT_EQ(LoadError<EInvalidGraphicOperation>(FourColorImage(FourColorStart("GIT89a")).bytes),
            "Unknown GIF version");
  EXPECT_EQ(LoadError<EInvalidGraphicOperation>({'G', 'I'}), "Unknown GIF version");
}

TEST(GifHeader, ScreenWithoutImageIsAnEmptyImage) {
  TGIFImage image;
  LoadGif(image, FourColorStart().Trailer().bytes);
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Height(), 0);
  EXPECT_EQ(image.BackgroundColor, GifColorValue(0, 0, 0));
  TDibGraphic bitmap;
  image.AssignToBitmap24(bitmap);
  EXPECT_TRUE(bitmap.Empty());

  // An empty stream loads as nothing at all.
  LoadGif(image, {});
  EXPECT_TRUE(image.Empty());
}

TEST(GifFrames, ZeroSizeTakesTheLogicalScreen) {
  GifBytes gif;
  gif.Header().Screen(3, 2, 0x81).Table(kFourColors).Descriptor(0, 0, 0, 0, 0)
      .ImageData(2, LiteralCodeStream({0, 1, 2, 3, 0, 1}, 2)).Trailer();
  TGIFImage image;
  LoadGif(image, gif.bytes);
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(Indexes(image.Frames()[0]->Bitmap()), (std::vector<std::uint8_t>{0, 1, 2, 3, 0, 1}));
}

TEST(GifFrames, LocalTableWinsOverGlobal) {
  GifBytes gif = FourColorStart();
  gif.Descriptor(0, 0, 2, 1, 0x80).Table({{9, 8, 7}, {6, 5, 4}}).ImageData(2, LiteralCodeStream({1, 0}, 2));
  gif = FourColorImage(gif).Trailer();
  TGIFImage image;
  LoadGif(image, gif.bytes);
  ASSERT_EQ(image.Frames().size(), 2u);
  TGIFFrame& local = *image.Frames()[0];
  EXPECT_TRUE(local.OwnColorTable);
  EXPECT_EQ(local.Bitmap().DibFormat(), TDibFormat::ifBlackAndWhite);
  TDibGraphic shown;
  image.AssignToBitmap24(shown);
  EXPECT_EQ(RgbBytes(shown), (std::vector<std::uint8_t>{6, 5, 4, 9, 8, 7}));

  TGIFFrame& global = *image.Frames()[1];
  EXPECT_FALSE(global.OwnColorTable);
  EXPECT_FALSE(global.HasBitmap()) << "later frames are decoded on first use";
  EXPECT_EQ(Indexes(global.Bitmap()), (std::vector<std::uint8_t>{0, 1, 2, 3}));
  EXPECT_EQ(global.Bitmap().Palette().entries[3].blue, 255);
}

TEST(GifFrames, NoColorTableAnywhereFailsTheLoad) {
  GifBytes gif;
  gif.Header().Screen(2, 2, 0).Descriptor(0, 0, 2, 2, 0).ImageData(2, LiteralCodeStream({0, 1, 1, 0}, 2)).Trailer();
  EXPECT_EQ(LoadError<EInvalidGraphicOperation>(gif.bytes), "Wrong number of colors; must be a power of 2");
}

TEST(GifFrames, HugeFrameIsRefusedBeforeAllocating) {
  GifBytes gif = FourColorStart();
  gif.Descriptor(0, 0, 65535, 65535, 0).ImageData(2, LiteralCodeStream({0}, 2)).Trailer();
  TGIFImage image;
  EXPECT_THROW(LoadGif(image, gif.bytes), EInvalidGraphic);
  EXPECT_TRUE(image.Frames().empty()) << "the frame that failed to decode is dropped";
}

TEST(GifFrames, DataTooShortForTheFrameAtLzwsBestIsRefusedBeforeAllocating) {
  // The code size byte and the terminator, 2 bytes: at most 2 x 4 codes of 4096 pixels.
  const auto frame = [](std::uint16_t width) {
    GifBytes gif = FourColorStart();
    gif.Descriptor(0, 0, width, 8, 0).ImageData(2, {}).Trailer();
    return gif.bytes;
  };
  TGIFImage image;
  LoadGif(image, frame(4096));
  EXPECT_EQ(image.Width(), 4096);
  EXPECT_EQ(LoadError<EReadError>(frame(4097)), "Stream read error");
}

TEST(GifFrames, MissingPartsOfAFrameAreReadErrors) {
  auto cut = [](std::vector<std::uint8_t> bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
  };
  const std::vector<std::uint8_t> whole = FourColorImage(FourColorStart()).Trailer().bytes;
  const std::size_t descriptorAt = 6 + 7 + 12;
  EXPECT_EQ(LoadError<EReadError>(cut(whole, descriptorAt + 5)), "Stream read error");  // short descriptor
  EXPECT_EQ(LoadError<EReadError>(cut(whole, descriptorAt + 10)), "Stream read error");  // no code size byte

  GifBytes localTable = FourColorStart();
  localTable.Descriptor(0, 0, 2, 2, 0x81).Bytes({1, 2, 3});
  EXPECT_EQ(LoadError<EReadError>(localTable.bytes), "Stream read error");
}

TEST(GifFrames, LastSubBlockRunningPastTheEndMarksCorrupted) {
  // The first sub-block holds the clear code and four whole pixels (the
  // fourth already 4 bits wide); the second claims more bytes than the file has.
  const std::vector<std::uint8_t> codes = LiteralCodeStream({1, 2, 3, 3, 2, 1, 1, 2}, 2);
  GifBytes gif = FourColorStart();
  gif.Descriptor(0, 0, 4, 2, 0).Bytes({2, 2, codes[0], codes[1], 40});
  gif.bytes.insert(gif.bytes.end(), codes.begin() + 2, codes.end());
  TGIFImage image;
  LoadGif(image, gif.bytes);
  ASSERT_EQ(image.Frames().size(), 1u);
  EXPECT_TRUE(image.Frames()[0]->Corrupted);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(Indexes(image.Frames()[0]->Bitmap()), (std::vector<std::uint8_t>{1, 2, 3, 3, 0, 0, 0, 0}));

  GifTolerateCorruption = false;
  EXPECT_EQ(LoadError<EReadError>(gif.bytes), "Stream read error");
  GifTolerateCorruption = true;
}

TEST(GifFrames, FileEndingAfterACompleteSubBlockIsNotCorrupted) {
  GifBytes gif = FourColorStart();
  gif.Descriptor(0, 0, 2, 2, 0).ImageData(2, LiteralCodeStream({3, 2, 1, 0}, 2), false);
  TGIFImage image;
  LoadGif(image, gif.bytes);
  EXPECT_FALSE(image.Frames()[0]->Corrupted);
  EXPECT_EQ(Indexes(image.Frames()[0]->Bitmap()), (std::vector<std::uint8_t>{3, 2, 1, 0}));
}

TEST(GifFrames, MultipleFramesKeepTheirPlaceAndFileOrder) {
  GifBytes gif = FourColorStart();
  gif.Descriptor(5, 7, 1, 1, 0x40).ImageData(2, LiteralCodeStream({2}, 2));
  gif = FourColorImage(gif);
  gif.Descriptor(0, 0, 1, 2, 0).ImageData(2, LiteralCodeStream({3, 1}, 2)).Trailer();
  TGIFImage image;
  LoadGif(image, gif.bytes);
  ASSERT_EQ(image.Frames().size(), 3u);
  EXPECT_EQ(image.CurrentFrame(), 0);
  EXPECT_EQ(image.Frames()[0]->Left, 5);
  EXPECT_EQ(image.Frames()[0]->Top, 7);
  EXPECT_TRUE(image.Frames()[0]->Interlaced);
  EXPECT_EQ(image.Width(), 1) << "the size is the current frame's, not the screen's";
  image.SetCurrentFrame(2);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(Indexes(image.Frames()[2]->Bitmap()), (std::vector<std::uint8_t>{3, 1}));
  image.SetCurrentFrame(3);
  EXPECT_EQ(image.Width(), 0);
}

TEST(GifFrames, SizeCannotBeSet) {
  TGIFImage image;
  LoadGif(image, FourColorImage(FourColorStart()).Trailer().bytes);
  try {
    image.SetWidth(10);
    FAIL();
  } catch (const EInvalidGraphicOperation& error) {
    EXPECT_STREQ(error.what(), "Cannot change the Size of a GIF image");
  }
  EXPECT_THROW(image.SetHeight(1), EInvalidGraphicOperation);
}

TEST(GifExtensions, UnknownLabelIsNamedInUpperCaseHex) {
  GifBytes gif = FourColorStart();
  gif.Bytes({0x21, 0xFA, 0});
  EXPECT_EQ(LoadError<EInvalidGraphicOperation>(FourColorImage(gif).bytes), "Unrecognized extension block: FA");
}

std::vector<std::uint8_t> LoopGif(int count) {
  GifBytes gif = FourColorStart();
  gif.Bytes({0x21, 0xFF, 11}).Text("NETSCAPE2.0").Bytes({3, 1}).Word(static_cast<std::uint16_t>(count)).Bytes({0});
  return FourColorImage(gif).Trailer().bytes;
}

TEST(GifExtensions, LoopCountIsCappedAndZeroStays) {
  TGIFImage image;
  LoadGif(image, FourColorImage(FourColorStart()).Trailer().bytes);
  EXPECT_FALSE(image.Looping);
  EXPECT_EQ(image.RepeatCount, 1);
  LoadGif(image, LoopGif(40000));
  EXPECT_TRUE(image.Looping);
  EXPECT_EQ(image.RepeatCount, 30000);
  LoadGif(image, LoopGif(0));
  EXPECT_EQ(image.RepeatCount, 0);
  EXPECT_TRUE(image.Frames()[0]->Extensions().empty()) << "application extensions are not kept";
}

TEST(GifExtensions, PlainTextDiscardsTheExtensionsBeforeIt) {
  GifBytes gif = FourColorStart();
  gif.GraphicControl(0x01, 5, 1).Bytes({0x21, 0x01, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 'h', 'i', 0});
  TGIFImage image;
  LoadGif(image, FourColorImage(gif).Trailer().bytes);
  EXPECT_EQ(image.Frames()[0]->TransparentColor, kGifNoColor);
  EXPECT_TRUE(image.Frames()[0]->Extensions().empty());
}

TEST(GifExtensions, GraphicControlsCombine) {
  GifBytes gif = FourColorStart();
  gif.GraphicControl(0x01 | (2 << 2), 50, 1).GraphicControl(0x01 | (3 << 2), 7, 9);
  TGIFImage image;
  LoadGif(image, FourColorImage(gif).Trailer().bytes);
  const TGIFFrame& frame = *image.Frames()[0];
  EXPECT_EQ(frame.Delay, 500) << "the larger delay, in milliseconds";
  EXPECT_EQ(frame.DisposalMethod, 3) << "the last extension's";
  EXPECT_EQ(frame.TransparentColor, GifColorValue(255, 0, 0)) << "index 9 is past the table and changes nothing";
  EXPECT_EQ(frame.Extensions().size(), 2u);

  GifBytes cleared = FourColorStart();
  cleared.GraphicControl(0x01, 0, 1).GraphicControl(0x00, 0, 1);
  LoadGif(image, FourColorImage(cleared).Trailer().bytes);
  EXPECT_EQ(image.Frames()[0]->TransparentColor, kGifNoColor);
}

TEST(GifExtensions, CommentsAfterTheLastImageBecomeTheImageComment) {
  GifBytes gif = FourColorImage(FourColorStart());
  gif.Comment("first").Comment("second").Trailer();
  TGIFImage image;
  LoadGif(image, gif.bytes);
  EXPECT_EQ(image.Data().comment, (std::vector<std::string>{"first", "\r\n\r\n", "second"}));

  GifBytes attached = FourColorStart();
  attached.Comment("mine");
  LoadGif(image, FourColorImage(attached).Trailer().bytes);
  EXPECT_TRUE(image.Data().comment.empty());
  EXPECT_EQ(image.Frames()[0]->Comment(), (std::vector<std::string>{"mine"}));
}

TEST(GifExtensions, StraySeparatorAfterATrailingRunFails) {
  GifBytes gif = FourColorImage(FourColorStart());
  gif.GraphicControl(0, 0, 0).Bytes({'X', 0x3B});
  EXPECT_EQ(LoadError<EReadError>(gif.bytes), "Stream read error");

  // After an image, a stray byte just ends the file.
  GifBytes afterImage = FourColorImage(FourColorStart());
  afterImage.Bytes({'X', 1, 2, 3});
  TGIFImage image;
  LoadGif(image, afterImage.bytes);
  EXPECT_EQ(image.Frames().size(), 1u);
}

TEST(GifExtensions, TruncatedExtensionsEndTheFileQuietly) {
  for (const auto& tail : std::vector<std::vector<int>>{{0x21}, {0x21, 0xF9, 4, 1}, {0x21, 0xFE, 200, 'a'}}) {
    GifBytes gif = FourColorImage(FourColorStart());
    for (int byte : tail) gif.Bytes({byte});
    TGIFImage image;
    LoadGif(image, gif.bytes);
    EXPECT_EQ(image.Frames().size(), 1u);
  }
}

TEST(GifImage, LengthPrefixedDataIsCheckedBeforeReading) {
  const std::vector<std::uint8_t> gif = FourColorImage(FourColorStart()).Trailer().bytes;
  TMemoryStream stream;
  const std::uint8_t lie[4] = {0xFF, 0xFF, 0xFF, 0x7F};
  stream.WriteBuffer(lie, 4);
  stream.WriteBuffer(gif.data(), gif.size());
  stream.SetPosition(0);
  TGIFImage image;
  EXPECT_THROW(image.ReadData(stream), EReadError);

  TMemoryStream prefixed;
  image.LoadFromStream(*std::make_unique<TBorrowedMemoryStream>(gif.data(), gif.size()));
  image.WriteData(prefixed);
  prefixed.SetPosition(0);
  TGIFImage copy;
  copy.ReadData(prefixed);
  EXPECT_EQ(Indexes(copy.Frames()[0]->Bitmap()), (std::vector<std::uint8_t>{0, 1, 2, 3}));
}

TEST(GifImage, AssignmentSharesTheGlobalData) {
  TGIFImage image;
  LoadGif(image, FourColorImage(FourColorImage(FourColorStart())).Trailer().bytes);
  TGIFImage copy;
  copy.Assign(&image);
  EXPECT_TRUE(copy.Equals(image));
  EXPECT_EQ(copy.Frames().size(), 2u);
  EXPECT_EQ(&copy.Frames()[1]->Item(), &image.Frames()[1]->Item()) << "copies share the compressed data";

  TGIFImage single;
  single.Assign(*image.Frames()[1]);
  EXPECT_FALSE(single.Equals(image));
  EXPECT_EQ(single.Frames().size(), 1u);
  EXPECT_EQ(single.Data().colors.count, 4u);

  copy.Assign(static_cast<const TGIFImage*>(nullptr));
  EXPECT_TRUE(copy.Empty());
}

}  // namespace
}  // namespace huemira::test
