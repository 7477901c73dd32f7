#include "color/gimp_palette.h"

#include <gtest/gtest.h>

#include "color/palette_file_error.h"

namespace huemira {
namespace {

// The line of the PaletteFileError that reading text throws; 0 if none.
int FailingLine(std::string_view text) {
  try {
    ReadGimpPalette(text, "fallback");
  } catch (const PaletteFileError& error) {
    return error.line();
  }
  return 0;
}

TEST(GimpPalette, ReadsAHandMadeFileWithCommentsCrlfAndABom) {
  const Palette palette = ReadGimpPalette(
      "\xEF\xBB\xBFGIMP Palette\r\n"
      "Name: 品牌色\r\n"
      "Columns: 4\r\n"
      "#\r\n"
      "# a comment 1 2 3\r\n"
      "\r\n"
      "255  88  88\tCoral red\r\n"
      "  0   0   0\r\n"
      " 18 171  52   珊瑚 绿  \r\n",
      "fallback");
  EXPECT_EQ(palette.name, "品牌色");
  EXPECT_EQ(palette.columns, 4);
  ASSERT_EQ(palette.entries.size(), 3u);
  EXPECT_EQ(palette.entries[0].color, MakeColor(255, 88, 88));
  EXPECT_EQ(palette.entries[0].name, "Coral red");
  EXPECT_EQ(palette.entries[1].name, "");
  EXPECT_EQ(palette.entries[2].color, MakeColor(18, 171, 52));
  EXPECT_EQ(palette.entries[2].name, "珊瑚 绿");
}

TEST(GimpPalette, VersionOneFilesTakeTheFallbackName) {
  const Palette palette = ReadGimpPalette("GIMP Palette\n1 2 3 x\n", "fallback");
  EXPECT_EQ(palette.name, "fallback");
  EXPECT_EQ(palette.columns, 0);
  ASSERT_EQ(palette.entries.size(), 1u);
  EXPECT_EQ(palette.entries[0].color, MakeColor(1, 2, 3));
  EXPECT_EQ(ReadGimpPalette("GIMP Palette\nName:  \n", "fallback").name, "fallback");
}

TEST(GimpPalette, ReportsTheLineOfTheFirstFault) {
  EXPECT_EQ(FailingLine(""), 1);
  EXPECT_EQ(FailingLine("JASC-PAL\n"), 1);
  EXPECT_EQ(FailingLine("GIMP Palette\n1 2 3\n1 2\n"), 3);
  EXPECT_EQ(FailingLine("GIMP Palette\r\n\r\n1 2 256 over\r\n"), 3);
  EXPECT_EQ(FailingLine("GIMP Palette\n1 2 -3\n"), 2);
  EXPECT_EQ(FailingLine("GIMP Palette\n1 2 3x\n"), 2);
  EXPECT_EQ(FailingLine("GIMP Palette\nColumns: many\n"), 2);
  EXPECT_EQ(FailingLine("GIMP Palette\nColumns: 300\n"), 2);
  EXPECT_EQ(FailingLine("GIMP Palette\n1 2 3 \xFF\n"), 2);
  EXPECT_EQ(FailingLine("GIMP Palette\nName: x\n"), 0);
}

TEST(GimpPalette, WritesVersionTwoWithoutBlankLinesAndReadsItBack) {
  const Palette palette{.name = "Brand\r\nline",
                        .columns = 3,
                        .entries = {{.color = MakeColor(255, 88, 88), .name = "Coral red"},
                                    {.color = MakeColor(0, 0, 0), .name = ""},
                                    {.color = MakeColor(1, 22, 133), .name = "深 蓝\n二"}}};
  const std::string text = WriteGimpPalette(palette);
  EXPECT_EQ(text,
            "GIMP Palette\nName: Brand  line\nColumns: 3\n"
            "255  88  88\tCoral red\n  0   0   0\n  1  22 133\t深 蓝 二\n");
  const Palette back = ReadGimpPalette(text, "fallback");
  EXPECT_EQ(back.name, "Brand  line");
  EXPECT_EQ(back.columns, 3);
  ASSERT_EQ(back.entries.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(back.entries[i].color, palette.entries[i].color);
  EXPECT_EQ(back.entries[2].name, "深 蓝 二");
}

}  // namespace
}  // namespace huemira
