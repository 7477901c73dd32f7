#include <gtest/gtest.h>

#include "expect_error.h"
#include "imaging/pcx_tga/dcx_graphic.h"
#include "test_bytes.h"

namespace huemira::test {
namespace {

const char kNotValid[] = "The DCX file header is not valid";
constexpr std::uint32_t kMagic = 987654321;

// A 1 x 1 one-bit PCX page whose single pixel is white when `white`, of the given width.
Bytes Page(int width, bool white) {
  PcxFields f;
  f.bits_per_plane = 1;
  f.xmax = static_cast<unsigned>(width - 1);
  f.bytes_per_line = 2;
  Bytes page = PcxHeader(f);
  Append(page, {static_cast<std::uint8_t>(white ? 0x80 : 0), 0});
  return page;
}

// magic, the given table words, then the pages; offsets in `table` are filled by the caller.
Bytes Dcx(const std::vector<std::uint32_t>& table, const std::vector<Bytes>& pages) {
  Bytes file;
  AppendLe32(file, kMagic);
  for (std::uint32_t word : table) AppendLe32(file, word);
  for (const Bytes& page : pages) Append(file, page);
  return file;
}

// Three pages of widths 1, 2, 3 after a table of four words.
Bytes ThreePages() {
  const std::uint32_t first = 4 + 4 * 4;
  const std::uint32_t size = static_cast<std::uint32_t>(Page(1, true).size());
  return Dcx({first, first + size, first + 2 * size, 0}, {Page(1, true), Page(2, false), Page(3, true)});
}

TEST(DcxRead, TableGivesPageCountAndEachPage) {
  TDcxGraphic dcx;
  TMemoryStream stream(ThreePages());
  EXPECT_EQ(dcx.GetImageCount(stream), 3);
  for (int page = 1; page <= 3; ++page) {
    TDcxGraphic reader;
    reader.LoadIndex = page;
    LoadBytes(reader, ThreePages());
    EXPECT_EQ(reader.Width(), page);
  }
  TDcxGraphic first;
  LoadBytes(first, ThreePages());
  EXPECT_EQ(first.Width(), 1);
  EXPECT_EQ(first.GetRgbPixel(0, 0), 0xFFFFFFu);
}

TEST(DcxRead, LoadAllImagesMakesOneFramePerPage) {
  TDcxGraphic dcx;
  dcx.LoadAllImages = true;
  LoadBytes(dcx, ThreePages());
  ASSERT_EQ(dcx.Frames().size(), 3u);
  EXPECT_EQ(dcx.Frames()[2]->Width(), 3);
  EXPECT_EQ(dcx.Width(), 1);
}

TEST(DcxRead, RefusesBrokenTables) {
  const Bytes page = Page(1, true);
  const auto refused = [](const Bytes& file, int index) {
    TDcxGraphic dcx;
    dcx.LoadIndex = index;
    ExpectError<EDcxError>([&] { LoadBytes(dcx, file); }, kNotValid);
  };
  refused(Dcx({0}, {page}), 1);                            // only the end word
  refused(Dcx({8, 0}, {page}), 2);                          // page 2 does not exist
  refused(Dcx({12, 0xFFFFFF00u, 0}, {page}), 1);            // next page beyond the file
  refused(Dcx({0xFFFFFF00u, 0}, {page}), 1);                // page beyond the file
  refused(Dcx({200, 100, 0}, {page}), 1);                   // page ends before it starts
  refused(Dcx({8}, {}), 1);                                 // table ends without its end word
  refused(Dcx({12, 0}, {page}), 0);                         // page numbers start at 1
  Bytes wrong_magic = Dcx({8, 0}, {page});
  wrong_magic[0] ^= 1;
  refused(wrong_magic, 1);

  TDcxGraphic dcx;
  ExpectError<EReadError>([&] { LoadBytes(dcx, Bytes{0xB1, 0x68}); }, "Stream read error");
  TMemoryStream unterminated(Dcx({8, 9}, {}));
  ExpectError<EDcxError>([&] { dcx.GetImageCount(unterminated); }, kNotValid);
}

TEST(DcxRead, APageThatIsNoPcxFailsAsPcx) {
  TDcxGraphic dcx;
  ExpectError<EBmcError>([&] { LoadBytes(dcx, Dcx({8, 0}, {Bytes(200, 0)})); }, "bmc_read_header failed.");
}

TEST(DcxWrite, SaveAppendAndReadBack) {
  TMemoryStream stream;
  for (int width = 1; width <= 3; ++width) {
    TDcxGraphic page;
    page.NewImage(width, 1, TDibFormat::ifColorRgb24, nullptr, 0, 0);
    page.FillWithColor(0x123456u * width);
    page.AppendImage(stream);
  }
  EXPECT_EQ(stream.Size() > 4100, true);
  TDcxGraphic reader;
  stream.SetPosition(0);
  EXPECT_EQ(reader.GetImageCount(stream), 3);
  for (int index = 1; index <= 3; ++index) {
    stream.SetPosition(0);
    reader.LoadIndex = index;
    reader.LoadFromStream(stream);
    EXPECT_EQ(reader.Width(), index);
    EXPECT_EQ(reader.GetRgbPixel(0, 0), (0x123456u * index) & 0xFFFFFF);
  }
}

TEST(DcxWrite, AFullTableRefusesAnotherPage) {
  // First page right after a two-word table: one page fits, a second does not.
  Bytes file = Dcx({12, 0}, {Page(1, true)});
  TMemoryStream stream(file);
  TDcxGraphic page;
  page.NewImage(1, 1, TDibFormat::ifBlackAndWhite, nullptr, 0, 0);
  ExpectError<EDcxError>([&] { page.AppendImage(stream); }, "The DCX file header is full");
  EXPECT_EQ(stream.Bytes(), file);
}

}  // namespace
}  // namespace huemira::test
