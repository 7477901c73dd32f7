#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "expect_error.h"
#include "imaging/pcx_tga/pcx_graphic.h"
#include "test_bytes.h"

namespace huemira::test {
namespace {

const char kHeaderFailed[] = "bmc_read_header failed.";

TEST(PcxRead, OneBitPictureIsAlwaysBlackAndWhite) {
  PcxFields f;
  f.bits_per_plane = 1;
  f.xmax = 9;  // 10 pixels wide
  f.bytes_per_line = 2;
  f.header_map = {255, 0, 0, 0, 255, 0};  // red and green: must be ignored
  Bytes file = PcxHeader(f);
  Append(file, {0xA5, 0xC1, 0xC0});  // 1010 0101 | 11.. (0xC0 written as a run of one)
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  ASSERT_EQ(pcx.DibFormat(), TDibFormat::ifBlackAndWhite);
  EXPECT_EQ(pcx.Width(), 10);
  EXPECT_EQ(pcx.Palette().count, 2);
  EXPECT_EQ(pcx.GetRgbPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(pcx.GetRgbPixel(1, 0), 0u);
  EXPECT_EQ(pcx.GetRgbPixel(8, 0), 0xFFFFFFu);
  EXPECT_EQ(pcx.GetRgbPixel(9, 0), 0xFFFFFFu);
}

TEST(PcxRead, RunContinuesAcrossTheEndOfALine) {
  PcxFields f;
  f.xmax = 2;  // 3 x 2, 8 bits
  f.ymax = 1;
  f.bytes_per_line = 4;
  Bytes file = PcxHeader(f);
  // Line 1: 1, 2, then a run of five 7s: two end line 1, three start line 2; then 9.
  Append(file, {1, 2, 0xC5, 7, 9});
  Append(file, PcxTrailer());
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  ASSERT_EQ(pcx.DibFormat(), TDibFormat::ifColor256);
  EXPECT_EQ(pcx.GetPixelIndex(0, 0), 1);
  EXPECT_EQ(pcx.GetPixelIndex(1, 0), 2);
  EXPECT_EQ(pcx.GetPixelIndex(2, 0), 7);
  EXPECT_EQ(pcx.GetPixelIndex(0, 1), 7);
  EXPECT_EQ(pcx.GetPixelIndex(1, 1), 7);
  EXPECT_EQ(pcx.GetPixelIndex(2, 1), 7);
  EXPECT_EQ(pcx.GetScanLine(1)[3], 9);  // the fourth byte of the line
  EXPECT_EQ(pcx.GetRgbPixel(0, 0), 0x01FE00u);  // trailer entry 1
}

TEST(PcxRead, FourBitPlanesGiveOneBitOfTheIndexEach) {
  PcxFields f;
  f.bits_per_plane = 1;
  f.planes = 4;
  f.xmax = 9;  // 10 pixels: the second plane byte holds only 2 of them
  f.bytes_per_line = 2;
  for (int i = 0; i < 16; ++i) Append(f.header_map, {std::uint8_t(16 * i), 0, 0});
  Bytes file = PcxHeader(f);
  Append(file, {0x80, 0x7F});  // plane 0: pixel 0, and pixel 9 plus bits beyond the width
  Append(file, {0x40, 0x40});  // plane 1: pixels 1 and 9
  Append(file, {0x20, 0x00});  // plane 2: pixel 2
  Append(file, {0xC1, 0xF0, 0x00});  // plane 3: pixels 0-3 (0xF0 needs the run form)
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  ASSERT_EQ(pcx.DibFormat(), TDibFormat::ifColor16);
  const int expected[10] = {9, 10, 12, 8, 0, 0, 0, 0, 0, 3};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(pcx.GetPixelIndex(x, 0), expected[x]) << "x = " << x;
  EXPECT_EQ(pcx.GetRgbPixel(3, 0), 0x800000u);  // header map entry 8
  EXPECT_EQ(pcx.GetScanLine(0)[5], 0) << "bits beyond the width leak into the padding";
}

TEST(PcxRead, FourBitsInOnePlane) {
  PcxFields f;
  f.bits_per_plane = 4;
  f.xmax = 2;
  f.bytes_per_line = 2;
  Bytes file = PcxHeader(f);
  Append(file, {0x3A, 0xF0});
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  ASSERT_EQ(pcx.DibFormat(), TDibFormat::ifColor16);
  EXPECT_EQ(pcx.GetPixelIndex(0, 0), 3);
  EXPECT_EQ(pcx.GetPixelIndex(1, 0), 10);
  EXPECT_EQ(pcx.GetPixelIndex(2, 0), 15);
}

TEST(PcxRead, ThreePlanesAreRedGreenBlueTopRowFirst) {
  PcxFields f;
  f.planes = 3;
  f.xmax = 1;  // 2 x 2
  f.ymax = 1;
  f.bytes_per_line = 2;
  Bytes file = PcxHeader(f);
  Append(file, {10, 11, 20, 21, 30, 31});  // top row: red, green, blue lines
  Append(file, {0xC2, 40, 0xC2, 50, 0xC2, 60});
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  ASSERT_EQ(pcx.DibFormat(), TDibFormat::ifColorRgb24);
  EXPECT_EQ(pcx.GetRgbPixel(0, 0), 0x0A141Eu);
  EXPECT_EQ(pcx.GetRgbPixel(1, 0), 0x0B151Fu);
  EXPECT_EQ(pcx.GetRgbPixel(1, 1), 0x28323Cu);
}

TEST(PcxRead, ResolutionWordsBecomeTheImageDpi) {
  PcxFields f;
  f.bits_per_plane = 1;
  f.bytes_per_line = 2;
  f.xdpi = 300;
  f.ydpi = 0;
  Bytes file = PcxHeader(f);
  Append(file, {0, 0});
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  EXPECT_EQ(pcx.XDpi(), 300);
  EXPECT_EQ(pcx.YDpi(), 0);
  EXPECT_EQ(pcx.BitmapInfo().header.yPelsPerMeter, 0);
}

TEST(PcxRead, ReportsProgressFromZeroToHundredOnce) {
  PcxFields f;
  f.bits_per_plane = 1;
  f.ymax = 9;
  f.bytes_per_line = 2;
  TPcxGraphic pcx;
  std::vector<int> reported;
  pcx.OnPercentDone = [&](TDibGraphic&, int percent) { reported.push_back(percent); };
  Bytes file = PcxHeader(f);
  Append(file, {0xD4, 0xFF});  // one run of 20 bytes: every line
  LoadBytes(pcx, file);
  ASSERT_GE(reported.size(), 3u);
  EXPECT_EQ(reported.front(), 0);
  EXPECT_EQ(reported.back(), 100);
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
  EXPECT_EQ(std::adjacent_find(reported.begin(), reported.end()), reported.end()) << "a percentage repeated";
}

TEST(PcxRead, TruncatedDataCompletesInWhite) {
  PcxFields f;
  f.planes = 3;
  f.xmax = 3;
  f.ymax = 2;
  f.bytes_per_line = 4;
  Bytes file = PcxHeader(f);
  Append(file, {0xC4, 1, 0xC4, 2, 0xC4, 3, 5});  // row 0, then one byte of row 1
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  EXPECT_EQ(pcx.GetRgbPixel(3, 0), 0x010203u);
  EXPECT_EQ(pcx.GetRgbPixel(0, 1), 0x05FFFFu);
  EXPECT_EQ(pcx.GetRgbPixel(3, 2), 0xFFFFFFu);
}

TEST(PcxRead, ReadsFromTheStreamPosition) {
  PcxFields f;
  f.bits_per_plane = 1;
  f.bytes_per_line = 2;
  Bytes file = {1, 2, 3};
  Append(file, PcxHeader(f));
  Append(file, {0x80, 0});
  TMemoryStream stream(file);
  stream.SetPosition(3);
  TPcxGraphic pcx;
  pcx.LoadFromStream(stream);
  EXPECT_EQ(pcx.GetRgbPixel(0, 0), 0xFFFFFFu);
}

TEST(PcxRead, LinesWiderThanTheRowOrNarrowerThanThePictureStayInside) {
  PcxFields f;
  f.xmax = 1;  // 2 pixels, 8 bits: the row has 4 bytes, the line claims 9
  f.ymax = 1;
  f.bytes_per_line = 9;
  Bytes file = PcxHeader(f);
  Append(file, {0xC9, 4, 0xC9, 6});
  Append(file, PcxTrailer());
  TPcxGraphic wide;
  LoadBytes(wide, file);
  EXPECT_EQ(wide.GetPixelIndex(1, 0), 4);
  EXPECT_EQ(wide.GetPixelIndex(0, 1), 6);

  PcxFields g;
  g.planes = 3;
  g.xmax = 5;  // 6 pixels but 1 byte per plane line
  g.bytes_per_line = 1;
  Bytes narrow_file = PcxHeader(g);
  Append(narrow_file, {1, 2, 3});
  TPcxGraphic narrow;
  LoadBytes(narrow, narrow_file);
  EXPECT_EQ(narrow.GetRgbPixel(0, 0), 0x010203u);
  EXPECT_EQ(narrow.GetRgbPixel(5, 0), 0u);
}

TEST(PcxRead, AHugeBytesPerLineCostsNoWorkBeyondThePicture) {
  // 1 x 256 pixels in three planes of 65535 bytes each, all runs of white:
  // only the pixel's own byte of every line may be produced.
  PcxFields f;
  f.planes = 3;
  f.ymax = 255;
  f.bytes_per_line = 65535;
  Bytes file = PcxHeader(f);
  const std::size_t runs = (256 * 3 * 65535 + 62) / 63;
  for (std::size_t i = 0; i < runs; ++i) Append(file, {0xFF, 0xFF});
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  EXPECT_EQ(pcx.GetRgbPixel(0, 255), 0xFFFFFFu);
}

TEST(PcxRead, RefusesDataTooShortForTheDeclaredLinesAtRunLengthsBest) {
  // 10 lines of 63 bytes: 10 runs of 63, 20 bytes, are the least data that can make them.
  PcxFields f;
  f.bits_per_plane = 1;
  f.xmax = 9;
  f.ymax = 9;
  f.bytes_per_line = 63;
  Bytes file = PcxHeader(f);
  for (int i = 0; i < 10; ++i) Append(file, {0xFF, 0x00});
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  EXPECT_EQ(pcx.GetRgbPixel(9, 9), 0u);
  file.pop_back();
  ExpectError<EBmcError>([&] { LoadBytes(pcx, file); }, kHeaderFailed);
}

TEST(PcxRead, RefusesBadHeaders) {
  const auto refused = [](PcxFields f, bool with_trailer) {
    Bytes file = PcxHeader(f);
    Append(file, {0, 0, 0, 0});
    if (with_trailer) Append(file, PcxTrailer());
    TPcxGraphic pcx;
    ExpectError<EBmcError>([&] { LoadBytes(pcx, file); }, kHeaderFailed);
  };
  PcxFields good;
  good.bits_per_plane = 1;
  good.bytes_per_line = 2;
  PcxFields f = good;
  f.version = 4;
  refused(f, false);
  f = good;
  f.version = 6;
  refused(f, false);
  f = good;
  f.encoding = 0;
  refused(f, false);
  f = good;
  f.bits_per_plane = 2;  // although CanLoadStream accepts 2 bits
  refused(f, false);
  f = good;
  f.planes = 3;
  refused(f, false);
  f = good;
  f.xmin = 5;
  f.xmax = 4;
  refused(f, false);
  f = good;
  f.xmax = 65535;
  f.ymax = 65535;
  refused(f, false);
  Bytes huge = PcxHeader(f);
  TPcxGraphic untouched;
  EXPECT_THROW(LoadBytes(untouched, huge), EBmcError);
  EXPECT_TRUE(untouched.Empty()) << "refused only after making the image";
  f = good;
  f.bits_per_plane = 8;
  refused(f, false);  // no 0x0C before the 256-colour map

  Bytes tiny = {10, 5, 1};
  TPcxGraphic pcx;
  ExpectError<EBmcError>([&] { LoadBytes(pcx, tiny); }, kHeaderFailed);
  Bytes not_pcx(200, 0);
  ExpectError<EBmcError>([&] { LoadBytes(pcx, not_pcx); }, kHeaderFailed);
}

TEST(PcxRead, AcceptsTheOlderVersions) {
  for (std::uint8_t version : {0, 2, 3, 5}) {
    PcxFields f;
    f.version = version;
    f.bits_per_plane = 1;
    f.bytes_per_line = 2;
    Bytes file = PcxHeader(f);
    Append(file, {0, 0});
    TPcxGraphic pcx;
    EXPECT_NO_THROW(LoadBytes(pcx, file)) << int(version);
  }
}

TEST(PcxCanLoad, ChecksTheHeaderAndKeepsThePosition) {
  PcxFields f;
  f.bits_per_plane = 2;
  TMemoryStream stream(PcxHeader(f));
  TPcxGraphic pcx;
  EXPECT_TRUE(pcx.CanLoadStream(stream));
  EXPECT_EQ(stream.Position(), 0);
  f.version = 1;
  TMemoryStream version1(PcxHeader(f));
  EXPECT_FALSE(pcx.CanLoadStream(version1));
  TMemoryStream short_stream(Bytes(20, 10));
  EXPECT_FALSE(pcx.CanLoadStream(short_stream));
}

// Every format the writer knows comes back from the reader pixel for pixel.
TEST(PcxWrite, RoundTripsEveryFormat) {
  for (TDibFormat format : {TDibFormat::ifBlackAndWhite, TDibFormat::ifColor16, TDibFormat::ifColor256,
                            TDibFormat::ifColorRgb24}) {
    TPcxGraphic source;
    source.NewImage(13, 5, format, nullptr, 72, 96);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 13; ++x) source.SetRgbPixel(x, y, format == TDibFormat::ifColorRgb24 ? 0x10203u * (x + 13 * y) : (x * 7 + y) % 2 ? 0xFFFFFF : 0xAA0000);
    }
    TMemoryStream stream;
    source.SaveToStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    stream.SetPosition(0);
    TPcxGraphic copy;
    copy.LoadFromStream(stream);
    ASSERT_EQ(copy.Width(), 13);
    EXPECT_EQ(copy.XDpi(), 72);
    EXPECT_EQ(copy.YDpi(), 96);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 13; ++x) ASSERT_EQ(copy.GetRgbPixel(x, y), source.GetRgbPixel(x, y)) << x << "," << y;
    }
  }
}

TEST(PcxWrite, RefusesAWidthItsHeaderCannotHold) {
  // Found by fuzzing: a file may describe 65536 columns, but no line of them fits a 16-bit bytes-per-line.
  PcxFields f;
  f.planes = 3;
  f.xmax = 65535;
  f.bytes_per_line = 2;
  Bytes file = PcxHeader(f);
  Append(file, {0xC6, 0});
  TPcxGraphic pcx;
  LoadBytes(pcx, file);
  ASSERT_EQ(pcx.Width(), 65536);
  TMemoryStream stream;
  ExpectError<EBmcError>([&] { pcx.SaveToStream(stream); }, "bmc_write failed.");
}

TEST(PcxWrite, OneBitWhiteOnBlackIsStoredWithSetBitsWhite) {
  TLogPalette inverted;
  inverted.count = 2;
  inverted.entries[0] = {255, 255, 255, 0};
  inverted.entries[1] = {0, 0, 0, 0};
  TPcxGraphic source;
  source.NewImage(8, 1, TDibFormat::ifBlackAndWhite, &inverted, 0, 0);
  source.GetScanLine(0)[0] = 0x0F;  // four white, four black pixels
  TMemoryStream stream;
  source.SaveToStream(stream);
  EXPECT_EQ(stream.Bytes()[128], 0xC1);  // 0xF0 needs the run form
  EXPECT_EQ(stream.Bytes()[129], 0xF0);
}

}  // namespace
}  // namespace huemira::test
