#include "color/css_palette.h"

#include <gtest/gtest.h>

#include <random>

#include "color/palette_file_error.h"
#include "expect_palette_entries.h"

namespace huemira {
namespace {

TEST(CssPalette, ReadsCustomPropertiesInAnyRuleAndInATailwindTheme) {
  const Palette palette = ReadCssPalette(
      "\xEF\xBB\xBF/* brand colours; not { a rule } */\r\n"
      ":root {\r\n"
      "  --brand-red: #ff5858;\r\n"
      "  color: red;                 /* not a custom property */\r\n"
      "  --spacing: 4px;\r\n"
      "  --font: \"Noto; {Sans}\", sans-serif;\r\n"
      "  --ref: var(--brand-red);\r\n"
      "  --品牌 绿: rgb(18 171 52) !important;\r\n"
      "  --multi:\r\n"
      "    hsl(120, 100%, 25%)\r\n"
      "}\r\n"
      "@media (prefers-color-scheme: dark) { .dark { --surface: oklch(0.3 0.02 260); } }\r\n"
      "@theme {\r\n"
      "  --color-*: initial;\r\n"
      "  --font-sans: Inter, sans-serif;\r\n"
      "  --color-lime-vivid: oklch(0.9 0.3 140);\r\n"
      "  --colorless: Coral;\r\n"
      "}\r\n",
      "brand");
  EXPECT_EQ(palette.name, "brand");
  const ExpectedEntry expected[] = {
      {"brand-red", MakeColor(255, 88, 88), false},
      {"品牌 绿", MakeColor(18, 171, 52), false},
      {"multi", MakeColor(0, 128, 0), false},
      {"surface", MakeColor(0x28, 0x2E, 0x38), false},
      {"lime-vivid", MakeColor(0x62, 0xFF, 0x30), true},
      {"colorless", MakeColor(255, 127, 80), false},
  };
  ExpectEntries(palette, expected);
}

TEST(CssPalette, AColourThatDoesNotParseFailsAtItsLine) {
  const std::string text =
      ":root {\n"
      "  --a: #fff;\n"
      "  /* two\n"
      "     lines */ --b: oklch(0.5 0.1);\n"
      "}\n";
  try {
    ReadCssPalette(text, "x");
    FAIL() << "no error";
  } catch (const PaletteFileError& error) {
    EXPECT_EQ(error.line(), 4);
    EXPECT_NE(std::string(error.what()).find("oklch(0.5 0.1)"), std::string::npos);
  }
  EXPECT_THROW(ReadCssPalette(":root { --a: #12345; }", "x"), PaletteFileError);
  EXPECT_THROW(ReadCssPalette(":root { --a: #fff; --\xC3: red; }", "x"), PaletteFileError);
}

const Palette kNamesToClean{.name = "Brand */ colours",
                            .entries = {{.color = MakeColor(255, 88, 88), .name = "Coral red"},
                                        {.color = MakeColor(0, 0, 0), .name = ""},
                                        {.color = MakeColor(1, 2, 3), .name = " --Coral.red! "},
                                        {.color = MakeColor(18, 171, 52), .name = "深绿 (主)"},
                                        {.color = MakeColor(128, 128, 128), .name = "a_b-1"}}};

TEST(CssPalette, WritesARootBlockOfIdentifiers) {
  EXPECT_EQ(WriteCssPalette(kNamesToClean),
            "/* Brand * / colours */\n"
            ":root {\n"
            "  --Coral-red: #ff5858;\n"
            "  --color-2: #000000;\n"
            "  --Coral-red-2: #010203;\n"
            "  --深绿-主: #12ab34;\n"
            "  --a_b-1: #808080;\n"
            "}\n");
  EXPECT_EQ(CssPropertyNames(kNamesToClean),
            (std::vector<std::string>{"Coral-red", "color-2", "Coral-red-2", "深绿-主", "a_b-1"}));
}

TEST(CssPalette, WritesATailwindThemeInOklch) {
  EXPECT_EQ(WriteTailwindTheme({.name = "t",
                                .entries = {{.color = MakeColor(0x12, 0xAB, 0x34), .name = "green"},
                                            {.color = MakeColor(128, 128, 128), .name = "grey"}}}),
            "/* t */\n"
            "@theme {\n"
            "  --color-green: oklch(0.64600 0.19698 145.225);\n"
            "  --color-grey: oklch(0.59987 0.00000 0.000);\n"
            "}\n");
}

// prefix + n, written out: GCC 12 warns falsely on "text" + std::to_string(n).
std::string Numbered(const char* prefix, std::size_t n) {
  std::string text = prefix;
  text += std::to_string(n);
  return text;
}

TEST(CssPalette, BothWritersRoundTripEveryColour) {
  Palette palette{.name = "random"};
  std::mt19937 random(3);
  for (std::size_t i = 0; i < 20000; ++i) {
    palette.entries.push_back({.color = static_cast<TColor>(random() & 0xFFFFFF), .name = Numbered("c", i)});
  }
  for (int grey = 0; grey < 256; ++grey) palette.entries.push_back({.color = MakeColor(grey, grey, grey)});
  for (const std::string& text : {WriteCssPalette(palette), WriteTailwindTheme(palette)}) {
    const Palette back = ReadCssPalette(text, "x");
    ASSERT_EQ(back.entries.size(), palette.entries.size());
    for (std::size_t i = 0; i < palette.entries.size(); ++i) {
      ASSERT_EQ(back.entries[i].color, palette.entries[i].color) << i;
      ASSERT_FALSE(back.entries[i].mapped) << i;
    }
    EXPECT_EQ(back.entries[0].name, "c0");
    EXPECT_EQ(back.entries.back().name, Numbered("color-", palette.entries.size()));
  }
}

}  // namespace
}  // namespace huemira
