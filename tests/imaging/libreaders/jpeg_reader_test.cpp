#include "imaging/libreaders/jpeg_graphic.h"
#include "reader_test_support.h"
#include "test_image_writers.h"

namespace huemira::test {
namespace {

JpegPicture Gradient(int width, int height, int components, J_COLOR_SPACE space) {
  JpegPicture picture;
  picture.width = width;
  picture.height = height;
  picture.components = components;
  picture.inputSpace = space;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < components; ++c) picture.pixels.push_back(static_cast<std::uint8_t>(x * 5 + y * 3 + c * 70));
    }
  }
  return picture;
}

std::unique_ptr<TJpegGraphic> Load(const Bytes& jpeg) {
  auto graphic = std::make_unique<TJpegGraphic>();
  LoadBytes(*graphic, jpeg);
  return graphic;
}

TEST(JpegReader, RefusesMoreScansThanAnyEncoderWrites) {
  EXPECT_EQ(Load(WriteJpeg(OneBitPerScan(16, 16, 100)))->Width(), 16);
  EXPECT_THROW_MESSAGE(Load(WriteJpeg(OneBitPerScan(16, 16, 101))), Exception, "Too many scans in JPEG file");
}

// Gray, colour and progressive pictures decode to what libjpeg itself
// delivers, rows top first and true colour in the image's blue-green-red.
TEST(JpegReader, MatchesLibjpegsOwnDecode) {
  struct Case {
    int components;
    J_COLOR_SPACE space;
    bool progressive;
    TDibFormat format;
  };
  for (const Case& c : {Case{1, JCS_GRAYSCALE, false, TDibFormat::ifGrayscale256},
                        Case{3, JCS_RGB, false, TDibFormat::ifColorRgb24},
                        Case{3, JCS_RGB, true, TDibFormat::ifColorRgb24}}) {
    SCOPED_TRACE(c.components);
    JpegPicture picture = Gradient(45, 31, c.components, c.space);
    picture.progressive = c.progressive;
    const Bytes jpeg = WriteJpeg(picture);
    const auto graphic = Load(jpeg);
    EXPECT_EQ(graphic->DibFormat(), c.format);
    EXPECT_TRUE(SamePixels(*graphic, DecodeWithLibjpeg(jpeg)));
  }
}

TEST(JpegReader, CmykIsRefusedByItsSampleCount) {
  const Bytes jpeg = WriteJpeg(Gradient(8, 8, 4, JCS_CMYK));
  EXPECT_THROW_MESSAGE(Load(jpeg), EJpegError, "Invalid number of samples, 4");
}

TEST(JpegReader, DensityBecomesDpi) {
  struct Case {
    int unit, density;
    std::uint16_t dpi;
  };
  for (const Case& c : {Case{1, 300, 300}, Case{2, 38, 97}, Case{2, 118, 300}, Case{0, 2, 96}}) {
    JpegPicture picture = Gradient(8, 8, 1, JCS_GRAYSCALE);
    picture.densityUnit = c.unit;
    picture.xDensity = picture.yDensity = c.density;
    const auto graphic = Load(WriteJpeg(picture));
    EXPECT_EQ(graphic->XDpi(), c.dpi) << c.unit << " " << c.density;
    EXPECT_EQ(graphic->YDpi(), c.dpi) << c.unit << " " << c.density;
  }
}

TEST(JpegReader, TruncatedDataStillGivesThePicture) {
  const Bytes jpeg = WriteJpeg(Gradient(64, 64, 3, JCS_RGB));
  const auto graphic = Load(Bytes(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2)));
  EXPECT_EQ(graphic->Width(), 64);
  EXPECT_EQ(graphic->Height(), 64);
}

// Start-of-frame 0: FF C0, length, precision, then height and width.
void PatchFrameSize(Bytes& jpeg, std::uint16_t width, std::uint16_t height) {
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<std::uint8_t>(height);
      jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<std::uint8_t>(width);
      return;
    }
  }
  FAIL() << "no SOF0";
}

TEST(JpegReader, BadInputIsRefusedWithTheLibrarysMessage) {
  EXPECT_THROW_MESSAGE(Load({}), Exception, "Empty input file");
  EXPECT_THROW_MESSAGE(Load({'G', 'I', 'F', '8'}), Exception, "Not a JPEG file: starts with 0x47 0x49");
  Bytes huge = WriteJpeg(Gradient(8, 8, 3, JCS_RGB));
  PatchFrameSize(huge, 65500, 65500);  // the most libjpeg itself takes
  EXPECT_THROW_MESSAGE(Load(huge), EInvalidGraphic, "Image size 65500 x 65500 is out of range");
  PatchFrameSize(huge, 65535, 65535);
  EXPECT_THROW_MESSAGE(Load(huge), Exception, "Maximum supported image dimension is 65500 pixels");
}

TEST(JpegReader, RecognisesOnlyJfifFiles) {
  TJpegGraphic graphic;
  TMemoryStream jfif(WriteJpeg(Gradient(8, 8, 1, JCS_GRAYSCALE)));
  EXPECT_TRUE(graphic.CanLoadStream(jfif));
  EXPECT_EQ(jfif.Position(), 0);
  Bytes exif = jfif.Bytes();
  exif[3] = 0xE1;
  TMemoryStream exifStream(exif);
  EXPECT_FALSE(graphic.CanLoadStream(exifStream));
}

}  // namespace
}  // namespace huemira::test
