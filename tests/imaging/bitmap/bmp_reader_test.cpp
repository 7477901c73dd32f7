// The BMP reader on hand-built files: the layouts that ImageMagick does not
// write, and files that are truncated or lie.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "bitmap_files.h"
#include "framework/exception.h"
#include "imaging/bitmap/bmp_graphic.h"
#include "reader_test_support.h"

namespace huemira::test {
namespace {

constexpr char kInvalid[] = "Bitmap image is not valid";

// Palette entry i of the tests' 16-colour table.
std::uint32_t Color(int i) {
  return MakeRgb(static_cast<std::uint8_t>(16 * i), static_cast<std::uint8_t>(255 - 16 * i), 7);
}
std::vector<std::uint32_t> Palette16() {
  std::vector<std::uint32_t> palette;
  for (int i = 0; i < 16; ++i) palette.push_back(Color(i));
  return palette;
}

// Palette indexes of the picture, top row first.
std::vector<std::vector<int>> Indexes(const TBmpGraphic& bmp) {
  std::vector<std::vector<int>> rows(static_cast<std::size_t>(bmp.Height()));
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) rows[static_cast<std::size_t>(y)].push_back(bmp.GetPixelIndex(x, y));
  }
  return rows;
}

std::unique_ptr<TBmpGraphic> Load(const Bytes& file) {
  auto bmp = std::make_unique<TBmpGraphic>();
  LoadBytes(*bmp, file);
  return bmp;
}

TEST(BmpReader, CoreHeaderWithRgbTriples) {
  BmpLayout layout;
  layout.headerSize = 12;
  layout.width = 3;
  layout.height = 2;
  layout.bitCount = 4;
  layout.palette = Palette16();  // the core header always has the full table
  layout.pixels = PaddedRows({{0x12, 0x30}, {0xAB, 0xF0}});
  TBmpGraphic bmp;
  LoadBytes(bmp, BmpFile(layout));
  EXPECT_EQ(bmp.DibFormat(), TDibFormat::ifColor16);
  EXPECT_EQ(Indexes(bmp), (std::vector<std::vector<int>>{{10, 11, 15}, {1, 2, 3}}));
  EXPECT_EQ(bmp.GetRgbPixel(2, 0), Color(15));
  EXPECT_EQ(bmp.XDpi(), 96);  // no resolution in a core header: the screen's
}

TEST(BmpReader, Rle4RunsAbsoluteRunsDeltasAndClipping) {
  BmpLayout layout;
  layout.width = 6;
  layout.height = 3;
  layout.bitCount = 4;
  layout.compression = 2;
  layout.palette = Palette16();
  layout.pixels = {0x03, 0x12,                          // bottom row: 1 2 1
                 0x00, 0x03, 0x34, 0x50,              // absolute: 3 4 5
                 0x00, 0x00,                          // end of line
                 0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00,  // absolute, 3 bytes padded to 4: a b c d e
                 0x00, 0x00,                          // end of line; the last pixel of the row is skipped
                 0x00, 0x02, 0x02, 0x00,              // delta: 2 right
                 0x02, 0x77,                          // 7 7
                 0x05, 0x89,                          // 8 9, then cut off at the right edge
                 0x00, 0x01};                         // end of bitmap
  const auto bmp = Load(BmpFile(layout));
  EXPECT_EQ(bmp->DibFormat(), TDibFormat::ifColor16);
  EXPECT_EQ(Indexes(*bmp),
            (std::vector<std::vector<int>>{{0, 0, 7, 7, 8, 9}, {10, 11, 12, 13, 14, 0}, {1, 2, 1, 3, 4, 5}}));
}

TEST(BmpReader, Rle8PixelsTheStreamSkipsKeepTheFirstPaletteEntry) {
  BmpLayout layout;
  layout.width = 4;
  layout.height = 4;
  layout.bitCount = 8;
  layout.compression = 1;
  layout.palette = {0x306090, 0xFF0000, 0x00FF00, 0x0000FF};
  layout.pixels = {2, 1,              // bottom row: 1 1
                 0, 2, 1, 1,        // delta: 1 right, 1 up
                 1, 2,              // 2 at x = 3
                 0, 0,              // end of line
                 0, 3, 3, 2, 1, 0,  // absolute, 3 bytes padded to 4: 3 2 1
                 0, 1,              // end of bitmap: the top row is never written
                 9, 9};             // after the end: ignored
  const auto bmp = Load(BmpFile(layout));
  EXPECT_EQ(Indexes(*bmp), (std::vector<std::vector<int>>{{0, 0, 0, 0}, {3, 2, 1, 0}, {0, 0, 0, 2}, {1, 1, 0, 0}}));
  EXPECT_EQ(bmp->GetRgbPixel(0, 0), 0x306090u);

  // A stream whose last row ends with end-of-line needs no end-of-bitmap mark.
  layout.height = 1;
  layout.pixels = {4, 3, 0, 0};
  EXPECT_EQ(Indexes(*Load(BmpFile(layout))), (std::vector<std::vector<int>>{{3, 3, 3, 3}}));
}

TEST(BmpReader, IndexesPastAShortPaletteReadBlack) {
  BmpLayout layout;
  layout.width = 4;
  layout.bitCount = 8;
  layout.colorsUsed = 3;
  layout.palette = {0x306090, 0xFF0000, 0x00FF00};
  layout.pixels = PaddedRows({{0, 1, 2, 5}});
  const auto bmp = Load(BmpFile(layout));
  EXPECT_EQ(bmp->Palette().count, 3);
  EXPECT_EQ(bmp->GetRgbPixel(2, 0), 0x00FF00u);
  EXPECT_EQ(bmp->GetRgbPixel(3, 0), 0u);

  // No colour count, so 256 entries are due, but the pixels start after two:
  // those two are the palette.
  layout.colorsUsed = 0;
  layout.palette = {0x306090, 0xFF0000};
  const auto cut = Load(BmpFile(layout));
  EXPECT_EQ(cut->Palette().count, 2);
  EXPECT_EQ(cut->GetRgbPixel(1, 0), 0xFF0000u);
  EXPECT_EQ(cut->GetRgbPixel(2, 0), 0u);
}

// One 16-bit pixel per test value, little-endian.
Bytes Pixels16(const std::vector<unsigned>& values) {
  Bytes row;
  for (unsigned value : values)
    row.insert(row.end(), {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
  return PaddedRows({row});
}
Bytes Pixels32(const std::vector<std::uint32_t>& values) {
  Bytes row;
  for (std::uint32_t v : values) {
    row.insert(row.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                           static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)});
  }
  return row;
}

std::vector<std::uint32_t> Row(const TBmpGraphic& bmp) {
  std::vector<std::uint32_t> row;
  for (int x = 0; x < bmp.Width(); ++x) row.push_back(bmp.GetRgbPixel(x, 0));
  return row;
}

TEST(BmpReader, BitfieldChannelsWidenToEightBits) {
  BmpLayout layout;
  layout.width = 3;
  layout.bitCount = 16;
  layout.compression = 3;
  layout.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5, after the 40-byte header
  layout.pixels = Pixels16({0xFFFF, 0xF800, 0x8410});
  const auto bmp = Load(BmpFile(layout));
  EXPECT_EQ(bmp->DibFormat(), TDibFormat::ifColorRgb24);
  // 5 bits 10000 -> 10000100, 6 bits 100000 -> 10000010.
  EXPECT_EQ(Row(*bmp), (std::vector<std::uint32_t>{0xFFFFFF, 0xFF0000, 0x848284}));

  // Narrow and odd channels: 1 bit, 3 bits, 4 bits.
  layout.masks = {0x0001, 0x000E, 0x00F0};
  layout.pixels = Pixels16({0x00AB, 0x0000, 0x0000});
  EXPECT_EQ(Row(*Load(BmpFile(layout))), (std::vector<std::uint32_t>{0xFFB6AA, 0x000000, 0x000000}));

  // 16 bits without bit fields are 5-5-5, whatever masks a V5 header holds.
  layout.headerSize = 124;
  layout.compression = 0;
  layout.masks = {0xF800, 0x07E0, 0x001F, 0};
  layout.pixels = Pixels16({0x7C00, 0x03E0, 0x801F});
  EXPECT_EQ(Row(*Load(BmpFile(layout))), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));
}

TEST(BmpReader, ThirtyTwoBitMasksAndAlphaVariants) {
  BmpLayout layout;
  layout.width = 2;
  layout.bitCount = 32;
  layout.compression = 3;
  // 10 bits a channel keep their top 8 bits.
  layout.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  layout.pixels = Pixels32({0x3FF00000 | (0x155u << 10) | 0x0FF, 0xC0000000});
  EXPECT_EQ(Row(*Load(BmpFile(layout))), (std::vector<std::uint32_t>{0xFF553F, 0x000000}));

  // Alpha is left out as Windows draws a bitmap, in every layout that names it:
  // alpha bit fields after a 40-byte header, and masks inside 52-, 56- and V4 headers.
  const std::vector<std::uint32_t> argb = {0x80FF8040, 0x00102030};
  struct Case {
    std::uint32_t headerSize, compression;
    std::vector<std::uint32_t> masks;
  };
  const Case cases[] = {{40, 6, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
                        {52, 3, {0xFF0000, 0xFF00, 0xFF}},
                        {56, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
                        {108, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
                        {124, 0, {}}};
  for (const Case& c : cases) {
    layout.headerSize = c.headerSize;
    layout.compression = c.compression;
    layout.masks = c.masks;
    layout.pixels = Pixels32(argb);
    EXPECT_EQ(Row(*Load(BmpFile(layout))), (std::vector<std::uint32_t>{0xFF8040, 0x102030})) << c.headerSize;
  }
}

TEST(BmpReader, TopDownRowsAGapBeforeThePixelsAndAShortLastRow) {
  BmpLayout layout;
  layout.width = 2;
  layout.height = -3;
  layout.bitCount = 8;
  layout.colorsUsed = 4;
  layout.palette = {0, 1, 2, 3};
  layout.gap = 7;
  layout.pixelsPerMetre = 2835;
  layout.pixels = PaddedRows({{0, 1}, {2, 3}, {3, 0}});
  auto bmp = Load(BmpFile(layout));
  EXPECT_EQ(bmp->Height(), 3);
  EXPECT_EQ(Indexes(*bmp), (std::vector<std::vector<int>>{{0, 1}, {2, 3}, {3, 0}}));
  EXPECT_EQ(bmp->XDpi(), 72);

  // The last stored row without its padding still has every pixel.
  layout.height = 2;
  layout.bitCount = 24;
  layout.colorsUsed = 0;
  layout.palette = {};
  layout.pixels = PaddedRows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
  layout.pixels.resize(layout.pixels.size() - 2);
  bmp = Load(BmpFile(layout));
  EXPECT_EQ(bmp->GetRgbPixel(1, 0), 0x0C0B0Au);
  EXPECT_EQ(bmp->GetRgbPixel(0, 1), 0x030201u);
}

TEST(BmpReader, SavesA24BitBitmapThatReadsBackTheSame) {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.bitCount = 4;
  layout.palette = Palette16();
  layout.pixels = PaddedRows({{0x12, 0x30}, {0xAB, 0xF0}});
  const auto bmp = Load(BmpFile(layout));
  TMemoryStream saved;
  bmp->SaveToStream(saved);
  saved.SetPosition(0);
  TBmpGraphic again;
  again.LoadFromStream(saved);
  EXPECT_EQ(again.DibFormat(), TDibFormat::ifColorRgb24);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(again.GetRgbPixel(x, y), bmp->GetRgbPixel(x, y));
  }
}

TEST(BmpReader, KnowsItsOwnFilesAndReportsProgress) {
  BmpLayout layout;
  layout.width = 2;
  layout.height = 300;
  layout.pixels = Bytes(8 * 300, 0x55);
  const Bytes file = BmpFile(layout);
  TMemoryStream stream(file);
  TBmpGraphic bmp;
  EXPECT_TRUE(bmp.CanLoadStream(stream));
  EXPECT_EQ(stream.Position(), 0);
  std::vector<int> percents;
  bmp.OnPercentDone = [&](TDibGraphic&, int percent) { percents.push_back(percent); };
  bmp.LoadFromStream(stream);
  ASSERT_GE(percents.size(), 2u);
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 100);

  layout.headerSize = 64;  // OS/2 2.x: not a Windows header
  TMemoryStream os2(BmpFile(layout));
  EXPECT_FALSE(bmp.CanLoadStream(os2));
}

// A 3 x 2 24-bit file and a 4 x 2 RLE8 file to break.
BmpLayout Plain24() {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.pixels = PaddedRows({Bytes(9, 1), Bytes(9, 2)});
  return layout;
}
BmpLayout Rle8() {
  BmpLayout layout;
  layout.width = 4;
  layout.height = 2;
  layout.bitCount = 8;
  layout.compression = 1;
  layout.palette = {0x112233, 0x445566};
  layout.colorsUsed = 2;
  layout.pixels = {4, 1, 0, 0, 0, 4, 1, 0, 1, 0, 0, 1};
  return layout;
}

TEST(BmpReader, LyingHeadersAreRefusedBeforeAnythingIsAllocated) {
  struct Case {
    const char* what;
    BmpLayout layout;
  };
  std::vector<Case> cases;
  const auto add = [&](const char* what, BmpLayout base, auto change) {
    change(base);
    cases.push_back({what, base});
  };
  add("OS/2 2.x header", Plain24(), [](BmpLayout& s) { s.headerSize = 64; });
  add("header size 0", Plain24(), [](BmpLayout& s) { s.headerSize = 0; });
  add("header larger than V5", Plain24(), [](BmpLayout& s) { s.headerSize = 200; });
  add("width 0", Plain24(), [](BmpLayout& s) { s.width = 0; });
  add("negative width", Plain24(), [](BmpLayout& s) { s.width = -3; });
  add("height 0", Plain24(), [](BmpLayout& s) { s.height = 0; });
  add("height of -2^31", Plain24(), [](BmpLayout& s) { s.height = INT_MIN; });
  add("65535 x 65535, past the size cap", Plain24(), [](BmpLayout& s) { s.width = s.height = 65535; });
  add("10000 x 10000 admitted, pixels missing", Plain24(), [](BmpLayout& s) { s.width = s.height = 10000; });
  add("pixel offset past the end", Plain24(), [](BmpLayout& s) { s.pixelOffset = 5000; });
  add("pixel offset at the end", Plain24(), [](BmpLayout& s) { s.pixelOffset = 54 + 24; });
  add("pixel offset inside the header", Plain24(), [](BmpLayout& s) { s.pixelOffset = 30; });
  add("more colours than 8 bits index", Rle8(), [](BmpLayout& s) { s.colorsUsed = 257; });
  add("colour count of 2^32 - 1", Rle8(), [](BmpLayout& s) { s.colorsUsed = 0xFFFFFFFF; });
  add("colour table past the file", Rle8(), [](BmpLayout& s) { s.colorsUsed = 200, s.pixelOffset = 54 + 4 * 200; });
  add("two planes", Plain24(), [](BmpLayout& s) { s.planes = 2; });
  add("2 bits per pixel", Plain24(), [](BmpLayout& s) { s.bitCount = 2; });
  add("JPEG inside", Plain24(), [](BmpLayout& s) { s.bitCount = 0, s.compression = 4; });
  add("PNG inside", Plain24(), [](BmpLayout& s) { s.bitCount = 0, s.compression = 5; });
  add("unknown compression", Plain24(), [](BmpLayout& s) { s.compression = 7; });
  add("RLE8 of 24 bits", Plain24(), [](BmpLayout& s) { s.compression = 1; });
  add("RLE4 of 8 bits", Rle8(), [](BmpLayout& s) { s.compression = 2; });
  add("top-down RLE", Rle8(), [](BmpLayout& s) { s.height = -2; });
  add("bit fields of 24 bits", Plain24(), [](BmpLayout& s) { s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF}; });
  add("mask in two runs", Plain24(), [](BmpLayout& s) {
    s.bitCount = 32, s.compression = 3, s.masks = {0xF0F000, 0xFF00, 0xFF};
  });
  add("16-bit mask beyond 16 bits", Plain24(), [](BmpLayout& s) {
    s.bitCount = 16, s.compression = 3, s.masks = {0x1F0000, 0x7E0, 0x1F};
  });
  add("16 bits under a core header", Plain24(), [](BmpLayout& s) { s.headerSize = 12, s.bitCount = 16; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBmpGraphic bmp;
    EXPECT_THROW_MESSAGE(LoadBytes(bmp, BmpFile(c.layout)), EInvalidGraphic, kInvalid);
    EXPECT_TRUE(bmp.Empty());
  }

  TBmpGraphic bmp;
  EXPECT_THROW_MESSAGE(LoadBytes(bmp, Bytes{'B', 'A', 0, 0}), EInvalidGraphic, kInvalid);
  Bytes masksCut = BmpFile(Plain24());
  masksCut[28] = 32;  // 32 bits with bit fields, whose masks the file ends inside
  masksCut[30] = 3;
  masksCut.resize(60);
  EXPECT_THROW_MESSAGE(LoadBytes(bmp, masksCut), EInvalidGraphic, kInvalid);
}

TEST(BmpReader, EveryTruncationIsRefused) {
  // The plain file may lose its last row's padding (3 bytes), nothing more;
  // the RLE stream ends with its end-of-bitmap mark in the last row.
  const std::pair<Bytes, std::size_t> files[] = {{BmpFile(Plain24()), 3}, {BmpFile(Rle8()), 0}};
  for (const auto& [file, spare] : files) {
    for (std::size_t size = 0; size + spare < file.size(); ++size) {
      SCOPED_TRACE(size);
      TBmpGraphic bmp;
      EXPECT_THROW_MESSAGE(LoadBytes(bmp, Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size))),
                           EInvalidGraphic, kInvalid);
    }
    EXPECT_NO_THROW(Load(Bytes(file.begin(), file.end() - static_cast<std::ptrdiff_t>(spare))));
  }
}

}  // namespace
}  // namespace huemira::test
