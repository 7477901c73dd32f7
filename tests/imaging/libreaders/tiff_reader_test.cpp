#include <cstring>

#include "imaging/libreaders/tiff_graphic.h"
#include "imaging/libreaders/tiff_private_tags.h"
#include "reader_test_support.h"
#include "test_image_writers.h"

namespace huemira::test {
namespace {

constexpr std::uint32_t kWidth = 35, kHeight = 20;

// Rows of samplesPerPixel samples per pixel, each value(x, y, sample) packed
// at bits (16-bit samples in the machine's order, as libtiff expects them).
std::vector<Bytes> Rows(int bits, int samplesPerPixel, const std::function<int(int, int, int)>& value) {
  std::vector<Bytes> rows;
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    Bytes row((kWidth * samplesPerPixel * bits + 7) / 8, 0);
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      for (int s = 0; s < samplesPerPixel; ++s) {
        const int v = value(x, y, s);
        const std::size_t i = x * samplesPerPixel + s;
        if (bits == 16) {
          const auto sample = static_cast<std::uint16_t>(v);
          std::memcpy(&row[2 * i], &sample, 2);
        } else if (bits == 8) {
          row[i] = static_cast<std::uint8_t>(v);
        } else {
          row[i * bits / 8] |= static_cast<std::uint8_t>(v << (8 - bits - (i * bits) % 8));
        }
      }
    }
    rows.push_back(row);
  }
  return rows;
}

int Pattern(int x, int y, int sample, int levels) { return (x * 7 + y * 5 + sample * 90) % levels; }

std::function<void(TIFF*)> Fields(int bits, int samples, int photometric, int compression,
                                  std::function<void(TIFF*)> more = {}) {
  return [=](TIFF* tif) {
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 8);  // JPEG strips need a multiple of 8
    if (more) more(tif);
  };
}

TiffPage Page(int bits, int samples, int photometric, int compression, std::function<void(TIFF*)> more = {}) {
  const int levels = bits == 16 ? 256 : 1 << bits;
  const int scale = bits == 16 ? 257 : 1;
  return {kWidth, kHeight, Fields(bits, samples, photometric, compression, std::move(more)),
          Rows(bits, samples, [=](int x, int y, int s) { return Pattern(x, y, s, levels) * scale; })};
}

std::function<void(TIFF*)> ColorMap(int bits, bool eightBitValues) {
  return [=](TIFF* tif) {
    std::vector<std::uint16_t> red(1u << bits), green(1u << bits), blue(1u << bits);
    const int scale = eightBitValues ? 1 : 257;
    for (std::size_t i = 0; i < red.size(); ++i) {
      red[i] = static_cast<std::uint16_t>((i * 37 % 256) * scale);
      green[i] = static_cast<std::uint16_t>((255 - i * 11 % 256) * scale);
      blue[i] = static_cast<std::uint16_t>((i * 5 % 256) * scale);
    }
    TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
  };
}

std::unique_ptr<TTiffGraphic> LoadFile(const std::filesystem::path& path, int page = 1) {
  auto graphic = std::make_unique<TTiffGraphic>();
  graphic->LoadIndex = page;
  graphic->LoadFromFile(path);
  return graphic;
}

struct LayoutCase {
  const char* name;
  TiffPage page;
  TDibFormat format;
  int tolerance = 0;
};

// Each layout lands in its format and shows what ImageMagick shows: the
// min-is-white inversion, palettes with 8- and 16-bit colour maps, the
// 16-bit, RGB and RGBA (CMYK, tiles, JPEG) routes and the compressions.
TEST(TiffReader, LayoutsMatchImageMagick) {
  if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick not installed";
  TiffPage tiled = Page(8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE);
  tiled.fields = Fields(8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, [](TIFF* tif) { TIFFUnsetField(tif, TIFFTAG_ROWSPERSTRIP); });
  tiled.tileSize = 16;
  const auto jpegRgb = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB); };
  const std::vector<LayoutCase> cases = {
      {"bilevel min-is-black", Page(1, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE), TDibFormat::ifBlackAndWhite},
      {"bilevel min-is-white", Page(1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_PACKBITS), TDibFormat::ifBlackAndWhite},
      {"fax group 4", Page(1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4), TDibFormat::ifBlackAndWhite},
      {"fax group 3", Page(1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX3), TDibFormat::ifBlackAndWhite},
      {"gray 4", Page(4, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE), TDibFormat::ifGrayscale16},
      {"gray 8 deflate", Page(8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_ADOBE_DEFLATE), TDibFormat::ifGrayscale256},
      {"gray 8 min-is-white old deflate", Page(8, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_DEFLATE),
       TDibFormat::ifGrayscale256},
      {"gray 16", Page(16, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE), TDibFormat::ifGrayscale256},
      {"gray 16 min-is-white", Page(16, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_NONE), TDibFormat::ifGrayscale256},
      {"palette 1", Page(1, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, ColorMap(1, false)), TDibFormat::ifColor16},
      {"palette 4", Page(4, 1, PHOTOMETRIC_PALETTE, COMPRESSION_PACKBITS, ColorMap(4, false)), TDibFormat::ifColor16},
      {"palette 8, 8-bit map", Page(8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, ColorMap(8, true)),
       TDibFormat::ifColor256},
      {"palette 8", Page(8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_ADOBE_DEFLATE, ColorMap(8, false)),
       TDibFormat::ifColor256},
      {"rgb", Page(8, 3, PHOTOMETRIC_RGB, COMPRESSION_PACKBITS), TDibFormat::ifColorRgb24},
      {"rgb tiled", tiled, TDibFormat::ifColorRgb24},
      {"rgb 16", Page(16, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE), TDibFormat::ifColorRgb24},
      {"cmyk", Page(8, 4, PHOTOMETRIC_SEPARATED, COMPRESSION_NONE), TDibFormat::ifColorRgb24, 1},
      {"cmyk 16", Page(16, 4, PHOTOMETRIC_SEPARATED, COMPRESSION_ADOBE_DEFLATE), TDibFormat::ifColorRgb24, 1},
      {"rgb jpeg", Page(8, 3, PHOTOMETRIC_RGB, COMPRESSION_JPEG, jpegRgb), TDibFormat::ifColorRgb24, 3},
      {"gray jpeg", Page(8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_JPEG), TDibFormat::ifGrayscale256, 3},
      {"gray jpeg min-is-white", Page(8, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_JPEG), TDibFormat::ifGrayscale256, 3},
  };
  ScratchDir dir;
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = dir / (std::string(c.name) + ".tif");
    WriteTiff(path, {c.page});
    const auto graphic = LoadFile(path);
    EXPECT_EQ(graphic->DibFormat(), c.format);
    EXPECT_TRUE(SamePixels(*graphic, DecodeWithImageMagick(path), c.tolerance));
  }
}

// Strips are decoded whole into the bottom-up image: every strip height
// (one row, odd, the whole page, more than the page) and padded image rows
// must still put each row where it belongs.
TEST(TiffReader, StripsOfEveryHeightLandInTheirRows) {
  ScratchDir dir;
  for (const int compression : {COMPRESSION_NONE, COMPRESSION_ADOBE_DEFLATE}) {
    for (const std::uint32_t rowsPerStrip : {1u, 3u, 7u, kHeight, kHeight + 5}) {
      SCOPED_TRACE(testing::Message() << "compression " << compression << ", rows per strip " << rowsPerStrip);
      const auto strips = [=](TIFF* tif) { TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip); };
      WriteTiff(dir / "rgb.tif", {Page(8, 3, PHOTOMETRIC_RGB, compression, strips)});
      WriteTiff(dir / "gray.tif", {Page(8, 1, PHOTOMETRIC_MINISBLACK, compression, strips)});
      const auto rgb = LoadFile(dir / "rgb.tif");
      const auto gray = LoadFile(dir / "gray.tif");
      const int width = kWidth, height = kHeight;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const auto sample = [&](int s) { return static_cast<std::uint8_t>(Pattern(x, y, s, 256)); };
          ASSERT_EQ(rgb->GetRgbPixel(x, y), MakeRgb(sample(0), sample(1), sample(2))) << x << "," << y;
          ASSERT_EQ(gray->GetPixelIndex(x, y), sample(0)) << x << "," << y;
        }
      }
    }
  }
}

// Whole Deflate strips go to libdeflate, which inflates them several times
// faster than zlib; a libtiff built without it still reads them, slowly.
TEST(TiffReader, LibtiffReportsLibdeflateInUse) {
  ScratchDir dir;
  WriteTiff(dir / "deflate.tif", {Page(8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_ADOBE_DEFLATE)});
  TIFF* tif = TIFFOpen((dir / "deflate.tif").string().c_str(), "r");
  ASSERT_NE(tif, nullptr);
  int subcodec = -1;
  EXPECT_TRUE(TIFFGetField(tif, TIFFTAG_DEFLATE_SUBCODEC, &subcodec));
  TIFFClose(tif);
  EXPECT_EQ(subcodec, DEFLATE_SUBCODEC_LIBDEFLATE);
}

// ImageMagick 6.9 shows 4-bit min-is-white pages uninverted, so this one is
// checked against the values themselves.
TEST(TiffReader, FourBitMinIsWhiteIsInverted) {
  ScratchDir dir;
  WriteTiff(dir / "gray4.tif", {Page(4, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_NONE)});
  const auto graphic = LoadFile(dir / "gray4.tif");
  for (int x = 0; x < 16; ++x) EXPECT_EQ(graphic->GetPixelIndex(x, 1), 15 - Pattern(x, 1, 0, 16)) << x;
}

// Fax writers mark pages min-is-black although their ones are black strokes.
TEST(TiffReader, FaxPageMarkedMinIsBlackShowsBlackStrokes) {
  ScratchDir dir;
  WriteTiff(dir / "fax.tif", {Page(1, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_CCITTFAX4)});
  const auto graphic = LoadFile(dir / "fax.tif");
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(graphic->GetRgbPixel(x, 0), Pattern(x, 0, 0, 2) ? 0u : 0xFFFFFFu) << x;
  }
}

TEST(TiffReader, PagesAreCountedAndChosenByLoadIndex) {
  ScratchDir dir;
  std::vector<TiffPage> pages;
  for (int i = 0; i < 3; ++i) {
    TiffPage page = Page(8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE);
    page.width = 10 + i;
    for (Bytes& row : page.rows) row.resize(page.width, static_cast<std::uint8_t>(i));
    pages.push_back(page);
  }
  WriteTiff(dir / "pages.tif", pages);
  TTiffGraphic graphic;
  TFileStream stream(dir / "pages.tif", FileMode::OpenRead);
  EXPECT_EQ(graphic.GetImageCount(stream), 3);
  EXPECT_EQ(LoadFile(dir / "pages.tif")->Width(), 10);
  EXPECT_EQ(LoadFile(dir / "pages.tif", 3)->Width(), 12);
  EXPECT_THROW(LoadFile(dir / "pages.tif", 4), ETiffError);

  TTiffGraphic all;
  all.LoadAllImages = true;
  all.LoadFromFile(dir / "pages.tif");
  ASSERT_EQ(all.Frames().size(), 3u);
  EXPECT_EQ(all.Frames()[2]->Width(), 12);
}

TEST(TiffReader, ResolutionTextAndPrivateTagsAreRead) {
  MakePrivateTiffTagsKnown();
  ScratchDir dir;
  const auto withUnit = [](int unit, float resolution) {
    return Page(8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, [=](TIFF* tif) {
      TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, unit);
      TIFFSetField(tif, TIFFTAG_XRESOLUTION, resolution);
      TIFFSetField(tif, TIFFTAG_YRESOLUTION, resolution * 2);
      TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, "scan.tif");
      TIFFSetField(tif, TIFFTAG_ARTIST, "somebody");
      TIFFSetField(tif, kFirstPrivateTiffTag, "first private");
      TIFFSetField(tif, kFirstPrivateTiffTag + 1, "second private");
    });
  };
  WriteTiff(dir / "inch.tif", {withUnit(RESUNIT_INCH, 150)});
  WriteTiff(dir / "cm.tif", {withUnit(RESUNIT_CENTIMETER, 19)});
  const auto inch = LoadFile(dir / "inch.tif");
  EXPECT_EQ(inch->XDpi(), 150);
  EXPECT_EQ(inch->YDpi(), 300);
  EXPECT_EQ(inch->DocumentName, "scan.tif");
  EXPECT_EQ(inch->Artist, "somebody");
  EXPECT_EQ(inch->CustomTags[0].Value, "first private");
  EXPECT_EQ(inch->CustomTags[1].Value, "");  // not marked for reading
  EXPECT_EQ(inch->RowsPerStrip, 8);
  const auto cm = LoadFile(dir / "cm.tif");
  EXPECT_EQ(cm->XDpi(), 48);  // 19 x 2.54 = 48.26
  EXPECT_EQ(cm->YDpi(), 97);  // 38 x 2.54 = 96.52
}

std::unique_ptr<TTiffGraphic> LoadBytesAsTiff(const Bytes& bytes) {
  auto graphic = std::make_unique<TTiffGraphic>();
  LoadBytes(*graphic, bytes);
  return graphic;
}

TiffBuilder Gray8(std::uint32_t width, std::uint32_t height) {
  TiffBuilder builder;
  builder.Long(TIFFTAG_IMAGEWIDTH, {width}).Long(TIFFTAG_IMAGELENGTH, {height}).Short(TIFFTAG_PHOTOMETRIC, {1});
  return builder;
}

TEST(TiffReader, BadInputIsRefusedWithItsMessage) {
  ScratchDir dir;
  WriteTiff(dir / "lzw.tif", {Page(8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_LZW)});
  EXPECT_THROW_MESSAGE(LoadFile(dir / "lzw.tif"), EImbravaError, "LZW compression not supported");
  EXPECT_THROW_MESSAGE(LoadBytesAsTiff({'I', 'I', 42, 0, 1, 2}), ETiffError, "ETiffError TIFFOpen");

  const Bytes pixels(64, 0x80);
  EXPECT_THROW_MESSAGE(LoadBytesAsTiff(Gray8(8, 8).Build(pixels)), ETiffError,
                       "ETiffError Bits per sample not specified");
  EXPECT_THROW_MESSAGE(LoadBytesAsTiff(Gray8(8, 8).Short(TIFFTAG_BITSPERSAMPLE, {8}).Short(TIFFTAG_COMPRESSION, {32809}).Build(pixels)),
                       ETiffError, "ETiffError Unsupported compression tag, 32809");
  EXPECT_THROW_MESSAGE(LoadBytesAsTiff(Gray8(65535, 65535).Short(TIFFTAG_BITSPERSAMPLE, {8}).Build(pixels)),
                       EInvalidGraphic, "Image size 65535 x 65535 is out of range");

  std::vector<std::uint32_t> map(3 * 256, 0);
  const Bytes jpegPalette = TiffBuilder()
                                .Long(TIFFTAG_IMAGEWIDTH, {8})
                                .Long(TIFFTAG_IMAGELENGTH, {8})
                                .Short(TIFFTAG_BITSPERSAMPLE, {8})
                                .Short(TIFFTAG_COMPRESSION, {COMPRESSION_JPEG})
                                .Short(TIFFTAG_PHOTOMETRIC, {PHOTOMETRIC_PALETTE})
                                .Short(TIFFTAG_COLORMAP, map)
                                .Build(pixels);
  EXPECT_THROW_MESSAGE(LoadBytesAsTiff(jpegPalette), EImbravaError,
                       "JPEG compression not supported with 256 color images");
}

// A strip that ends before its declared size is an error, not a quietly
// half-grey picture.
TEST(TiffReader, TruncatedStripIsAnError) {
  const Bytes pixels(40, 0x80);
  const Bytes truncated = Gray8(8, 8).Short(TIFFTAG_BITSPERSAMPLE, {8}).Build(pixels, 64);
  EXPECT_THROW(LoadBytesAsTiff(truncated), ETiffError);
  EXPECT_EQ(LoadBytesAsTiff(Gray8(8, 5).Short(TIFFTAG_BITSPERSAMPLE, {8}).Build(pixels))->GetPixelIndex(7, 4), 0x80);
}

TEST(TiffReader, CompressionFollowsTheImageFormat) {
  TTiffGraphic graphic;
  graphic.NewImage(4, 4, TDibFormat::ifBlackAndWhite, nullptr, 0, 0);
  EXPECT_EQ(graphic.Compression(), TTiffCompression::tcCcittGroup4);
  EXPECT_THROW_MESSAGE(graphic.SetCompression(TTiffCompression::tcJpeg), EImbravaError,
                       "JPEG compression not supported with Black and white images");
  graphic.NewImage(4, 4, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  EXPECT_EQ(graphic.Compression(), TTiffCompression::tcPackbits);
  graphic.SetCompression(TTiffCompression::tcJpeg);
  EXPECT_EQ(graphic.Compression(), TTiffCompression::tcJpeg);
}

}  // namespace
}  // namespace huemira::test
