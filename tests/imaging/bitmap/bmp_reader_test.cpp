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
std::uint32_t Colour(int i) {
  return MakeRgb(static_cast<std::uint8_t>(16 * i), static_cast<std::uint8_t>(255 - 16 * i), 7);
}
std::vector<std::uint32_t> Palette16() {
  std::vector<std::uint32_t> palette;
  for (int i = 0; i < 16; ++i) palette.push_back(Colour(i));
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
  BmpSpec spec;
  spec.headerSize = 12;
  spec.width = 3;
  spec.height = 2;
  spec.bitCount = 4;
  spec.palette = Palette16();  // the core header always has the full table
  spec.pixels = PaddedRows({{0x12, 0x30}, {0xAB, 0xF0}});
  TBmpGraphic bmp;
  LoadBytes(bmp, BmpFile(spec));
  EXPECT_EQ(bmp.DibFormat(), TDibFormat::ifColor16);
  EXPECT_EQ(Indexes(bmp), (std::vector<std::vector<int>>{{10, 11, 15}, {1, 2, 3}}));
  EXPECT_EQ(bmp.GetRgbPixel(2, 0), Colour(15));
  EXPECT_EQ(bmp.XDpi(), 96);  // no resolution in a core header: the screen's
}

TEST(BmpReader, Rle4RunsAbsoluteRunsDeltasAndClipping) {
  BmpSpec spec;
  spec.width = 6;
  spec.height = 3;
  spec.bitCount = 4;
  spec.compression = 2;
  spec.palette = Palette16();
  spec.pixels = {0x03, 0x12,                          // bottom row: 1 2 1
                 0x00, 0x03, 0x34, 0x50,              // absolute: 3 4 5
                 0x00, 0x00,                          // end of line
                 0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00,  // absolute, 3 bytes padded to 4: a b c d e
                 0x00, 0x00,                          // end of line; the last pixel of the row is skipped
                 0x00, 0x02, 0x02, 0x00,              // delta: 2 right
                 0x02, 0x77,                          // 7 7
                 0x05, 0x89,                          // 8 9, then cut off at the right edge
                 0x00, 0x01};                         // end of bitmap
  const auto bmp = Load(BmpFile(spec));
  EXPECT_EQ(bmp->DibFormat(), TDibFormat::ifColor16);
  EXPECT_EQ(Indexes(*bmp),
            (std::vector<std::vector<int>>{{0, 0, 7, 7, 8, 9}, {10, 11, 12, 13, 14, 0}, {1, 2, 1, 3, 4, 5}}));
}

TEST(BmpReader, Rle8PixelsTheStreamSkipsKeepTheFirstPaletteEntry) {
  BmpSpec spec;
  spec.width = 4;
  spec.height = 4;
  spec.bitCount = 8;
  spec.compression = 1;
  spec.palette = {0x306090, 0xFF0000, 0x00FF00, 0x0000FF};
  spec.pixels = {2, 1,              // bottom row: 1 1
                 0, 2, 1, 1,        // delta: 1 right, 1 up
                 1, 2,              // 2 at x = 3
                 0, 0,              // end of line
                 0, 3, 3, 2, 1, 0,  // absolute, 3 bytes padded to 4: 3 2 1
                 0, 1,              // end of bitmap: the top row is never written
                 9, 9};             // after the end: ignored
  const auto bmp = Load(BmpFile(spec));
  EXPECT_EQ(Indexes(*bmp), (std::vector<std::vector<int>>{{0, 0, 0, 0}, {3, 2, 1, 0}, {0, 0, 0, 2}, {1, 1, 0, 0}}));
  EXPECT_EQ(bmp->GetRgbPixel(0, 0), 0x306090u);

  // A stream whose last row ends with end-of-line needs no end-of-bitmap mark.
  spec.height = 1;
  spec.pixels = {4, 3, 0, 0};
  EXPECT_EQ(Indexes(*Load(BmpFile(spec))), (std::vector<std::vector<int>>{{3, 3, 3, 3}}));
}

TEST(BmpReader, IndexesPastAShortPaletteReadBlack) {
  BmpSpec spec;
  spec.width = 4;
  spec.bitCount = 8;
  spec.colorsUsed = 3;
  spec.palette = {0x306090, 0xFF0000, 0x00FF00};
  spec.pixels = PaddedRows({{0, 1, 2, 5}});
  const auto bmp = Load(BmpFile(spec));
  EXPECT_EQ(bmp->Palette().count, 3);
  EXPECT_EQ(bmp->GetRgbPixel(2, 0), 0x00FF00u);
  EXPECT_EQ(bmp->GetRgbPixel(3, 0), 0u);

  // No colour count, so 256 entries are due, but the pixels start after two:
  // those two are the palette.
  spec.colorsUsed = 0;
  spec.palette = {0x306090, 0xFF0000};
  const auto cut = Load(BmpFile(spec));
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
  BmpSpec spec;
  spec.width = 3;
  spec.bitCount = 16;
  spec.compression = 3;
  spec.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5, after the 40-byte header
  spec.pixels = Pixels16({0xFFFF, 0xF800, 0x8410});
  const auto bmp = Load(BmpFile(spec));
  EXPECT_EQ(bmp->DibFormat(), TDibFormat::ifColorRgb24);
  // 5 bits 10000 -> 10000100, 6 bits 100000 -> 10000010.
  EXPECT_EQ(Row(*bmp), (std::vector<std::uint32_t>{0xFFFFFF, 0xFF0000, 0x848284}));

  // Narrow and odd channels: 1 bit, 3 bits, 4 bits.
  spec.masks = {0x0001, 0x000E, 0x00F0};
  spec.pixels = Pixels16({0x00AB, 0x0000, 0x0000});
  EXPECT_EQ(Row(*Load(BmpFile(spec))), (std::vector<std::uint32_t>{0xFFB6AA, 0x000000, 0x000000}));

  // 16 bits without bit fields are 5-5-5, whatever masks a V5 header holds.
  spec.headerSize = 124;
  spec.compression = 0;
  spec.masks = {0xF800, 0x07E0, 0x001F, 0};
  spec.pixels = Pixels16({0x7C00, 0x03E0, 0x801F});
  EXPECT_EQ(Row(*Load(BmpFile(spec))), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));
}

TEST(BmpReader, ThirtyTwoBitMasksAndAlphaVariants) {
  BmpSpec spec;
  spec.width = 2;
  spec.bitCount = 32;
  spec.compression = 3;
  // 10 bits a channel keep their top 8 bits.
  spec.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  spec.pixels = Pixels32({0x3FF00000 | (0x155u << 10) | 0x0FF, 0xC0000000});
  EXPECT_EQ(Row(*Load(BmpFile(spec))), (std::vector<std::uint32_t>{0xFF553F, 0x000000}));

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
    spec.headerSize = c.headerSize;
    spec.compression = c.compression;
    spec.masks = c.masks;
    spec.pixels = Pixels32(argb);
    EXPECT_EQ(Row(*Load(BmpFile(spec))), (std::vector<std::uint32_t>{0xFF8040, 0x102030})) << c.headerSize;
  }
}

TEST(BmpReader, TopDownRowsAGapBeforeThePixelsAndAShortLastRow) {
  BmpSpec spec;
  spec.width = 2;
  spec.height = -3;
  spec.bitCount = 8;
  spec.colorsUsed = 4;
  spec.palette = {0, 1, 2, 3};
  spec.gap = 7;
  spec.pixelsPerMetre = 2835;
  spec.pixels = PaddedRows({{0, 1}, {2, 3}, {3, 0}});
  auto bmp = Load(BmpFile(spec));
  EXPECT_EQ(bmp->Height(), 3);
  EXPECT_EQ(Indexes(*bmp), (std::vector<std::vector<int>>{{0, 1}, {2, 3}, {3, 0}}));
  EXPECT_EQ(bmp->XDpi(), 72);

  // The last stored row without its padding still has every pixel.
  spec.height = 2;
  spec.bitCount = 24;
  spec.colorsUsed = 0;
  spec.palette = {};
  spec.pixels = PaddedRows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
  spec.pixels.resize(spec.pixels.size() - 2);
  bmp = Load(BmpFile(spec));
  EXPECT_EQ(bmp->GetRgbPixel(1, 0), 0x0C0B0Au);
  EXPECT_EQ(bmp->GetRgbPixel(0, 1), 0x030201u);
}

TEST(BmpReader, SavesA24BitBitmapThatReadsBackTheSame) {
  BmpSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.bitCount = 4;
  spec.palette = Palette16();
  spec.pixels = PaddedRows({{0x12, 0x30}, {0xAB, 0xF0}});
  const auto bmp = Load(BmpFile(spec));
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
  BmpSpec spec;
  spec.width = 2;
  spec.height = 300;
  spec.pixels = Bytes(8 * 300, 0x55);
  const Bytes file = BmpFile(spec);
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

  spec.headerSize = 64;  // OS/2 2.x: not a Windows header
  TMemoryStream os2(BmpFile(spec));
  EXPECT_FALSE(bmp.CanLoadStream(os2));
}

// A 3 x 2 24-bit file and a 4 x 2 RLE8 file to break.
BmpSpec Plain24() {
  BmpSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.pixels = PaddedRows({Bytes(9, 1), Bytes(9, 2)});
  return spec;
}
BmpSpec Rle8() {
  BmpSpec spec;
  spec.width = 4;
  spec.height = 2;
  spec.bitCount = 8;
  spec.compression = 1;
  spec.palette = {0x112233, 0x445566};
  spec.colorsUsed = 2;
  spec.pixels = {4, 1, 0, 0, 0, 4, 1, 0, 1, 0, 0, 1};
  return spec;
}

TEST(BmpReader, LyingHeadersAreRefusedBeforeAnythingIsAllocated) {
  struct Case {
    const char* what;
    BmpSpec spec;
  };
  std::vector<Case> cases;
  const auto add = [&](const char* what, BmpSpec base, auto change) {
    change(base);
    cases.push_back({what, base});
  };
  add("OS/2 2.x header", Plain24(), [](BmpSpec& s) { s.headerSize = 64; });
  add("header size 0", Plain24(), [](BmpSpec& s) { s.headerSize = 0; });
  add("header larger than V5", Plain24(), [](BmpSpec& s) { s.headerSize = 200; });
  add("width 0", Plain24(), [](BmpSpec& s) { s.width = 0; });
  add("negative width", Plain24(), [](BmpSpec& s) { s.width = -3; });
  add("height 0", Plain24(), [](BmpSpec& s) { s.height = 0; });
  add("height of -2^31", Plain24(), [](BmpSpec& s) { s.height = INT_MIN; });
  add("65535 x 65535, past the size cap", Plain24(), [](BmpSpec& s) { s.width = s.height = 65535; });
  add("10000 x 10000 admitted, pixels missing", Plain24(), [](BmpSpec& s) { s.width = s.height = 10000; });
  add("pixel offset past the end", Plain24(), [](BmpSpec& s) { s.pixelOffset = 5000; });
  add("pixel offset at the end", Plain24(), [](BmpSpec& s) { s.pixelOffset = 54 + 24; });
  add("pixel offset inside the header", Plain24(), [](BmpSpec& s) { s.pixelOffset = 30; });
  add("more colours than 8 bits index", Rle8(), [](BmpSpec& s) { s.colorsUsed = 257; });
  add("colour count of 2^32 - 1", Rle8(), [](BmpSpec& s) { s.colorsUsed = 0xFFFFFFFF; });
  add("colour table past the file", Rle8(), [](BmpSpec& s) { s.colorsUsed = 200, s.pixelOffset = 54 + 4 * 200; });
  add("two planes", Plain24(), [](BmpSpec& s) { s.planes = 2; });
  add("2 bits per pixel", Plain24(), [](BmpSpec& s) { s.bitCount = 2; });
  add("JPEG inside", Plain24(), [](BmpSpec& s) { s.bitCount = 0, s.compression = 4; });
  add("PNG inside", Plain24(), [](BmpSpec& s) { s.bitCount = 0, s.compression = 5; });
  add("unknown compression", Plain24(), [](BmpSpec& s) { s.compression = 7; });
  add("RLE8 of 24 bits", Plain24(), [](BmpSpec& s) { s.compression = 1; });
  add("RLE4 of 8 bits", Rle8(), [](BmpSpec& s) { s.compression = 2; });
  add("top-down RLE", Rle8(), [](BmpSpec& s) { s.height = -2; });
  add("bit fields of 24 bits", Plain24(), [](BmpSpec& s) { s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF}; });
  add("mask in two runs", Plain24(), [](BmpSpec& s) {
    s.bitCount = 32, s.compression = 3, s.masks = {0xF0F000, 0xFF00, 0xFF};
  });
  add("16-bit mask beyond 16 bits", Plain24(), [](BmpSpec& s) {
    s.bitCount = 16, s.compression = 3, s.masks = {0x1F0000, 0x7E0, 0x1F};
  });
  add("16 bits under a core header", Plain24(), [](BmpSpec& s) { s.headerSize = 12, s.bitCount = 16; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBmpGraphic bmp;
    EXPECT_THROW_MESSAGE(LoadBytes(bmp, BmpFile(c.spec)), EInvalidGraphic, kInvalid);
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
