// The bitmap-codec module's own interface, below the picture classes.
#include <gtest/gtest.h>

#include <string>

#include "imaging/pcx_tga/bmc.h"
#include "test_bytes.h"

namespace huemira::test {
namespace {

TEST(BmcGuessFileType, MatchesWholeExtensionsWithoutRegardToCase) {
  int type = -1;
  EXPECT_EQ(bmc_guess_filetype("File.pcx", &type), BMC_OK);
  EXPECT_EQ(type, BMC_FILETYPE_PCX);
  EXPECT_EQ(bmc_guess_filetype("a.b.Afi", &type), BMC_OK);
  EXPECT_EQ(type, BMC_FILETYPE_TARGA);
  EXPECT_EQ(bmc_guess_filetype("x.RL8", &type), BMC_OK);
  EXPECT_EQ(type, BMC_FILETYPE_BITMAP);
  EXPECT_EQ(bmc_guess_filetype("x.tg", &type), BMC_NOT_FOUND);
  EXPECT_EQ(bmc_guess_filetype("x.pcxx", &type), BMC_NOT_FOUND);
  EXPECT_EQ(bmc_guess_filetype("pcx", &type), BMC_NOT_FOUND);
  EXPECT_EQ(bmc_guess_filetype(nullptr, &type), BMC_BAD_ARGUMENT);
  BmcFileTypeDescription description{};
  ASSERT_EQ(bmc_describe_filetype(BMC_FILETYPE_TARGA, &description), BMC_OK);
  EXPECT_EQ(description.flags, 0xCC);
  EXPECT_EQ(std::string(description.long_name), "Truevision Targa/Vista bitmap");
}

// An 8-bit, 3 x 2 PCX whose first line ends inside a run of five.
struct RunAcrossLines {
  Bytes file;
  RunAcrossLines() {
    PcxFields f;
    f.xmax = 2;
    f.ymax = 1;
    f.bytes_per_line = 3;
    file = PcxHeader(f);
    Append(file, {1, 0xC5, 7, 8, 9});
  }
};

// Decodes into a buffer full of garbage, so that every byte the codec leaves alone shows.
Bytes Decode(TStream& stream, int file_type, const char* options, int* code) {
  BmcHeader header;
  *code = bmc_read_header("x", &stream, file_type, options, &header);
  if (*code != BMC_OK) return {};
  const std::size_t row_bytes = ((header.width * header.bpp + 31) / 32) * 4;
  Bytes pixels(row_bytes * header.height, 0xAB);
  BmcPixelBuffer buffer{pixels.data(), static_cast<std::ptrdiff_t>(row_bytes), row_bytes};
  *code = bmc_read_data(&stream, file_type, &header, &buffer, nullptr, nullptr);
  return pixels;
}

TEST(BmcReadData, TruncOptionEndsRunsWithTheirLine) {
  RunAcrossLines pcx;
  TMemoryStream stream(pcx.file);
  int code = 0;
  // Bottom row first in the buffer: rows are 4 bytes (3 pixels and a padding byte).
  EXPECT_EQ(Decode(stream, BMC_FILETYPE_PCX, "", &code), (Bytes{7, 7, 7, 0, 1, 7, 7, 0}));
  EXPECT_EQ(code, BMC_OK);
  stream.SetPosition(0);
  EXPECT_EQ(Decode(stream, BMC_FILETYPE_PCX, "fast, TRUNC", &code), (Bytes{8, 9, 0xFF, 0, 1, 7, 7, 0}));
}

TEST(BmcReadData, EveryByteIsWrittenEvenWhenTheDataEndsEarly) {
  TgaFields f;
  f.width = 2;
  f.height = 3;
  f.descriptor = 0x20;
  Bytes file = TgaHeader(f);
  Append(file, {1, 2, 3, 4, 5, 6, 7});  // the top row and one byte more
  TMemoryStream stream(file);
  int code = 0;
  const Bytes pixels = Decode(stream, BMC_FILETYPE_TARGA, "", &code);
  EXPECT_EQ(code, BMC_CANNOT_READ);
  Bytes expected(16, 0);
  for (std::uint8_t i = 1; i <= 6; ++i) expected.push_back(i);
  Append(expected, {0, 0});
  EXPECT_EQ(pixels, expected);
}

}  // namespace
}  // namespace huemira::test
