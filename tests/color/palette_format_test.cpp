#include "color/palette_format.h"

#include <gtest/gtest.h>

#include "color/palette_file_error.h"

namespace huemira {
namespace {

TEST(PaletteFormat, KnowsFormatsByEndingAndByName) {
  EXPECT_EQ(PaletteFormatFromPath("a/b/Brand.GPL"), PaletteFormat::Gimp);
  EXPECT_EQ(PaletteFormatFromPath("C:\\x\\brand.ase"), PaletteFormat::SwatchExchange);
  EXPECT_EQ(PaletteFormatFromPath("theme.css"), PaletteFormat::Css);
  EXPECT_EQ(PaletteFormatFromPath("brand.Tailwind.css"), PaletteFormat::TailwindTheme);
  EXPECT_EQ(PaletteFormatFromPath("brand.tokens.json"), PaletteFormat::DesignTokens);
  EXPECT_EQ(PaletteFormatFromPath("brand.tokens"), PaletteFormat::DesignTokens);
  EXPECT_FALSE(PaletteFormatFromPath("brand.json").has_value());
  EXPECT_FALSE(PaletteFormatFromPath("dir.gpl/brand").has_value());
  EXPECT_FALSE(PaletteFormatFromPath(".gpl").has_value());
  EXPECT_EQ(PaletteFormatFromName("Tailwind"), PaletteFormat::TailwindTheme);
  EXPECT_EQ(PaletteFormatFromName("tokens"), PaletteFormat::DesignTokens);
  EXPECT_FALSE(PaletteFormatFromName("json").has_value());
  for (const PaletteFormatInfo& info : PaletteFormats()) {
    std::string path = "x";
    path += info.extension;
    EXPECT_EQ(PaletteFormatFromPath(path), info.format);
    EXPECT_EQ(PaletteFormatFromName(info.name), info.format);
  }
  EXPECT_EQ(PaletteNameFromPath("C:\\x\\Brand.tokens.json"), "Brand");
  EXPECT_EQ(PaletteNameFromPath("/a/品牌.tailwind.css"), "品牌");
  EXPECT_EQ(PaletteNameFromPath("notes.txt"), "notes");
  EXPECT_EQ(PaletteNameFromPath(".hidden"), ".hidden");
}

// A palette whose names every format keeps as they are.
const Palette kPalette{.name = "Brand",
                       .entries = {{.color = MakeColor(255, 88, 88), .name = "coral-red"},
                                   {.color = MakeColor(0, 0, 0), .name = "ink"},
                                   {.color = MakeColor(18, 171, 52), .name = "品牌绿"},
                                   {.color = MakeColor(255, 255, 255), .name = "paper_2"}}};

TEST(PaletteFormat, EveryFormatConvertsIntoEveryOther) {
  for (const PaletteFormatInfo& from : PaletteFormats()) {
    const Palette once = ReadPalette(WritePalette(kPalette, from.format), from.format, "Brand");
    for (const PaletteFormatInfo& to : PaletteFormats()) {
      SCOPED_TRACE(std::string(from.name) + " -> " + std::string(to.name));
      const Palette twice = ReadPalette(WritePalette(once, to.format), to.format, "Brand");
      EXPECT_EQ(twice.name, "Brand");
      ASSERT_EQ(twice.entries.size(), kPalette.entries.size());
      for (std::size_t i = 0; i < kPalette.entries.size(); ++i) {
        EXPECT_EQ(twice.entries[i].color, kPalette.entries[i].color);
        EXPECT_EQ(twice.entries[i].name, kPalette.entries[i].name);
        EXPECT_FALSE(twice.entries[i].mapped);
      }
    }
  }
}

TEST(PaletteFormat, AFileOfAnotherFormatFailsRatherThanGivingColours) {
  const std::string gpl = WritePalette(kPalette, PaletteFormat::Gimp);
  EXPECT_THROW(ReadPalette(gpl, PaletteFormat::SwatchExchange, "x"), PaletteFileError);
  EXPECT_THROW(ReadPalette(gpl, PaletteFormat::DesignTokens, "x"), PaletteFileError);
  EXPECT_THROW(ReadPalette(WritePalette(kPalette, PaletteFormat::Css), PaletteFormat::Gimp, "x"), PaletteFileError);
}

}  // namespace
}  // namespace huemira
