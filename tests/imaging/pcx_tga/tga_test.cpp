#include <gtest/gtest.h>

#include "expect_error.h"
#include "imaging/pcx_tga/tga_graphic.h"
#include "test_bytes.h"

namespace huemira::test {
namespace {

const char kHeaderFailed[] = "bmc_read_header failed.";
const char kDataFailed[] = "bmc_read_data failed.";

// A 2 x 2 true-colour file, rows in the order given: (1,2,3) (4,5,6) / (7,8,9) (10,11,12) as blue, green, red.
Bytes TwoByTwo(std::uint8_t descriptor) {
  TgaFields f;
  f.width = 2;
  f.height = 2;
  f.descriptor = descriptor;
  Bytes file = TgaHeader(f);
  Append(file, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  return file;
}

TEST(TgaRead, OrientationBitDecidesWhichStoredRowIsTheTop) {
  TTgaGraphic bottom_up;
  LoadBytes(bottom_up, TwoByTwo(0));
  EXPECT_EQ(bottom_up.GetRgbPixel(0, 1), 0x030201u);  // first stored row is the bottom
  EXPECT_EQ(bottom_up.GetRgbPixel(1, 0), 0x0C0B0Au);
  TTgaGraphic top_down;
  LoadBytes(top_down, TwoByTwo(0x20));
  EXPECT_EQ(top_down.GetRgbPixel(0, 0), 0x030201u);
  EXPECT_EQ(top_down.GetRgbPixel(1, 1), 0x0C0B0Au);
  EXPECT_EQ(top_down.DibFormat(), TDibFormat::ifColorRgb24);
}

TEST(TgaRead, SixteenBitPixelsWidenAndIgnoreBit15) {
  for (std::uint8_t image_type : {2, 10}) {
    TgaFields f;
    f.image_type = image_type;
    f.width = 3;
    f.depth = 16;
    Bytes file = TgaHeader(f);
    if (image_type == 2) {
      Append(file, {0xFF, 0x7F, 0x00, 0x80, 0x21, 0x04});
    } else {
      Append(file, {0x02, 0xFF, 0x7F, 0x00, 0x80, 0x21, 0x04});  // one raw packet of three
    }
    TTgaGraphic tga;
    LoadBytes(tga, file);
    EXPECT_EQ(tga.GetRgbPixel(0, 0), 0xF8F8F8u);
    EXPECT_EQ(tga.GetRgbPixel(1, 0), 0u);
    EXPECT_EQ(tga.GetRgbPixel(2, 0), 0x080808u);  // 0x0421: one step of each component
  }
}

TEST(TgaRead, ThirtyTwoBitPixelsLoseAlpha) {
  TgaFields f;
  f.width = 2;
  f.depth = 32;
  Bytes file = TgaHeader(f);
  Append(file, {1, 2, 3, 0x80, 4, 5, 6, 0});
  TTgaGraphic tga;
  LoadBytes(tga, file);
  EXPECT_EQ(tga.GetRgbPixel(0, 0), 0x030201u);
  EXPECT_EQ(tga.GetRgbPixel(1, 0), 0x060504u);
}

TEST(TgaRead, ColorMapFillsItsEntriesAndLeavesTheRestBlack) {
  TgaFields f;
  f.id_length = 3;
  f.color_map_type = 1;
  f.image_type = 1;
  f.map_length = 16;
  f.map_entry_bits = 24;
  f.width = 2;
  f.depth = 8;
  Bytes file = TgaHeader(f);
  Append(file, {'a', 'b', 'c'});
  for (int i = 0; i < 16; ++i) Append(file, {std::uint8_t(i), 0, std::uint8_t(200)});
  Append(file, {15, 16});
  TTgaGraphic tga;
  LoadBytes(tga, file);
  ASSERT_EQ(tga.DibFormat(), TDibFormat::ifColor256);
  EXPECT_EQ(tga.GetRgbPixel(0, 0), 0xC8000Fu);
  EXPECT_EQ(tga.GetRgbPixel(1, 0), 0u);
  EXPECT_EQ(tga.Palette().count, 256);
}

TEST(TgaRead, GrayIsA256ColorImageWithARamp) {
  TgaFields f;
  f.image_type = 3;
  f.depth = 8;
  Bytes file = TgaHeader(f);
  Append(file, {77});
  TTgaGraphic tga;
  LoadBytes(tga, file);
  EXPECT_EQ(tga.DibFormat(), TDibFormat::ifColor256);
  EXPECT_EQ(tga.GetPixelIndex(0, 0), 77);
  EXPECT_EQ(tga.GetRgbPixel(0, 0), 0x4D4D4Du);
  EXPECT_EQ(tga.Palette().entries[200].green, 200);
}

TEST(TgaRead, RunLengthPacketsCrossRowEndsAndStopAtTheLastRow) {
  TgaFields f;
  f.image_type = 11;
  f.depth = 8;
  f.width = 3;
  f.height = 2;
  f.descriptor = 0x20;
  Bytes file = TgaHeader(f);
  Append(file, {0x83, 5, 0x00, 6, 0x82, 7});  // four 5s, one 6, three 7s of which one fits
  TTgaGraphic tga;
  LoadBytes(tga, file);
  const int expected[2][3] = {{5, 5, 5}, {5, 6, 7}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(tga.GetPixelIndex(x, y), expected[y][x]);
  }
}

TEST(TgaRead, RunLengthTrueColorOfEachDepth) {
  TgaFields f;
  f.image_type = 10;
  f.width = 2;
  f.height = 2;
  f.depth = 24;
  Bytes file = TgaHeader(f);
  Append(file, {0x82, 1, 2, 3, 0x00, 4, 5, 6});
  TTgaGraphic tga;
  LoadBytes(tga, file);
  EXPECT_EQ(tga.GetRgbPixel(1, 1), 0x030201u);
  EXPECT_EQ(tga.GetRgbPixel(0, 0), 0x030201u);
  EXPECT_EQ(tga.GetRgbPixel(1, 0), 0x060504u);

  f.depth = 32;
  Bytes file32 = TgaHeader(f);
  Append(file32, {0x81, 1, 2, 3, 99, 0x01, 4, 5, 6, 99, 7, 8, 9, 99});
  LoadBytes(tga, file32);
  EXPECT_EQ(tga.GetRgbPixel(1, 1), 0x030201u);
  EXPECT_EQ(tga.GetRgbPixel(1, 0), 0x090807u);
}

TEST(TgaRead, TruncatedDataFails) {
  TgaFields f;
  f.width = 4;
  f.height = 4;
  Bytes plain = TgaHeader(f);
  Append(plain, Bytes(20, 1));
  TTgaGraphic tga;
  ExpectError<EBmcError>([&] { LoadBytes(tga, plain); }, kDataFailed);
  EXPECT_EQ(tga.Width(), 4);  // the image made for the data stays

  f.image_type = 10;
  Bytes packed = TgaHeader(f);
  Append(packed, {0x87, 1});  // a run whose pixel is cut short, then no more packets
  ExpectError<EBmcError>([&] { LoadBytes(tga, packed); }, kDataFailed);
  f.height = 1;
  Bytes one_row = TgaHeader(f);
  Append(one_row, {0x83, 1});  // the missing bytes of the pixel read as 0xFF
  LoadBytes(tga, one_row);
  EXPECT_EQ(tga.GetRgbPixel(3, 0), 0xFFFF01u);
}

TEST(TgaRead, RefusesBadHeaders) {
  const auto refused = [](TgaFields f) {
    Bytes file = TgaHeader(f);
    Append(file, Bytes(64, 0));
    TTgaGraphic tga;
    ExpectError<EBmcError>([&] { LoadBytes(tga, file); }, kHeaderFailed);
  };
  TgaFields mapped;
  mapped.color_map_type = 1;
  mapped.image_type = 1;
  mapped.map_length = 2;
  mapped.map_entry_bits = 16;
  mapped.depth = 8;
  refused(mapped);
  mapped.map_entry_bits = 24;
  mapped.map_length = 200;  // longer than the file
  refused(mapped);
  for (std::uint8_t type : {0, 4, 12, 32}) {
    TgaFields f;
    f.image_type = type;
    refused(f);
  }
  TgaFields f;
  f.depth = 15;
  refused(f);
  f.depth = 8;
  refused(f);
  f.depth = 24;
  f.width = 0;
  refused(f);
  f.width = 65535;
  f.height = 65535;
  refused(f);
  TTgaGraphic untouched;
  EXPECT_THROW(LoadBytes(untouched, TgaHeader(f)), EBmcError);
  EXPECT_TRUE(untouched.Empty()) << "refused only after making the image";
  TTgaGraphic tga;
  ExpectError<EBmcError>([&] { LoadBytes(tga, Bytes{0, 0, 2}); }, kHeaderFailed);
}

TEST(TgaRead, ColorMapOfATrueColorFileIsSkipped) {
  TgaFields f;
  f.color_map_type = 1;
  f.map_length = 3;
  f.map_entry_bits = 15;  // stored in 16 bits
  Bytes file = TgaHeader(f);
  Append(file, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 1, 2, 3});
  TTgaGraphic tga;
  LoadBytes(tga, file);
  EXPECT_EQ(tga.GetRgbPixel(0, 0), 0x030201u);
}

TEST(TgaCanLoad, AcceptsExactlyTheReadableCombinations) {
  TTgaGraphic tga;
  TMemoryStream good(TwoByTwo(0));
  good.SetPosition(0);
  EXPECT_TRUE(tga.CanLoadStream(good));
  EXPECT_EQ(good.Position(), 0);
  TgaFields f;
  f.image_type = 9;
  f.depth = 8;
  f.map_entry_bits = 32;
  TMemoryStream bad_map(TgaHeader(f));
  EXPECT_FALSE(tga.CanLoadStream(bad_map));
}

TEST(TgaWrite, RoundTripsAndRefusesOtherFormats) {
  for (TDibFormat format : {TDibFormat::ifColorRgb24, TDibFormat::ifColor256, TDibFormat::ifGrayscale256}) {
    TTgaGraphic source;
    source.NewImage(5, 3, format, nullptr, 0, 0);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) source.SetRgbPixel(x, y, 0x0F1F2Fu * (x + 5 * y));
    }
    TMemoryStream stream;
    source.SaveToStream(stream);
    EXPECT_EQ(stream.Bytes()[17], 0);  // bottom row first
    stream.SetPosition(0);
    TTgaGraphic copy;
    copy.LoadFromStream(stream);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) ASSERT_EQ(copy.GetRgbPixel(x, y), source.GetRgbPixel(x, y));
    }
  }
  TTgaGraphic sixteen;
  sixteen.NewImage(2, 2, TDibFormat::ifColor16, nullptr, 0, 0);
  TMemoryStream stream;
  ExpectError<ETgaError>([&] { sixteen.SaveToStream(stream); },
                         "TARGA image must be true color or 8 bit with palette");
}

}  // namespace
}  // namespace huemira::test
