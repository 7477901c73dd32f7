#include "color/design_tokens.h"

#include <gtest/gtest.h>

#include <random>

#include "color/json.h"
#include "color/palette_file_error.h"
#include "expect_palette_entries.h"

namespace huemira {
namespace {

int FailingLine(std::string_view text) {
  try {
    ReadDesignTokens(text, "x");
  } catch (const PaletteFileError& error) {
    return error.line();
  }
  return 0;
}

TEST(DesignTokens, ReadsGroupsInheritedTypesAndEverySpaceOfAHandMadeFile) {
  const Palette palette = ReadDesignTokens(
      "\xEF\xBB\xBF{\r\n"
      "  \"$description\": \"brand\",\r\n"
      "  \"brand\": {\r\n"
      "    \"$type\": \"color\",\r\n"
      "    \"coral red\": { \"$value\": { \"colorSpace\": \"srgb\", \"components\": [1, 0.3451, 0.3451], "
      "\"hex\": \"#ff5858\" } },\r\n"
      "    \"深\\u7eff\": { \"$value\": { \"colorSpace\": \"hsl\", \"components\": [120, 100, 25] } },\r\n"
      "    \"shade\": {\r\n"
      "      \"grey\": { \"$value\": { \"colorSpace\": \"oklch\", \"components\": [0.6, 0, \"none\"] } },\r\n"
      "      \"vivid\": { \"$value\": { \"colorSpace\": \"oklch\", \"components\": [0.9, 0.3, 140] } }\r\n"
      "    },\r\n"
      "    \"wide\": { \"$value\": { \"colorSpace\": \"jzazbz\", \"components\": [0.1, 0.2, 0.3], "
      "\"hex\": \"#123456\", \"alpha\": 0.5 } },\r\n"
      "    \"legacy\": { \"$value\": \"#00ff00\" },\r\n"
      "    \"accent\": { \"$root\": { \"$value\": \"#0000ff\" }, \"light\": { \"$value\": \"{brand.accent.$root}\" } "
      "}\r\n"
      "  },\r\n"
      "  \"space\": { \"$type\": \"dimension\", \"small\": { \"$value\": { \"value\": 4, \"unit\": \"px\" } } },\r\n"
      "  \"alias\": { \"$value\": \"{brand.coral red}\" },\r\n"
      "  \"red\": { \"$type\": \"color\", \"$value\": { \"colorSpace\": \"lab\", \"components\": [54.29, 80.82, 69.91] "
      "} },\r\n"
      "  \"p3\": { \"$type\": \"color\", \"$value\": { \"colorSpace\": \"display-p3\", \"components\": [0.4, 0.4, 0.4] "
      "} }\r\n"
      "}\r\n",
      "fallback");
  EXPECT_EQ(palette.name, "fallback");
  const ExpectedEntry expected[] = {
      {"brand-coral red", MakeColor(255, 88, 88), false},
      {"brand-深绿", MakeColor(0, 128, 0), false},
      {"brand-shade-grey", MakeColor(128, 128, 128), false},
      {"brand-shade-vivid", MakeColor(0x62, 0xFF, 0x30), true},
      {"brand-wide", MakeColor(0x12, 0x34, 0x56), false},
      {"brand-legacy", MakeColor(0, 255, 0), false},
      {"brand-accent", MakeColor(0, 0, 255), false},
      {"brand-accent-light", MakeColor(0, 0, 255), false},
      {"alias", MakeColor(255, 88, 88), false},
      {"red", MakeColor(255, 0, 0), false},
      {"p3", MakeColor(102, 102, 102), false},
  };
  ExpectEntries(palette, expected);
}

TEST(DesignTokens, ReportsTheLineOfTheFault) {
  EXPECT_EQ(FailingLine("[1, 2]"), 1);
  EXPECT_EQ(FailingLine("{\n\"a\": {\"$type\": \"color\", \"$value\": 1}\n}"), 2);
  EXPECT_EQ(FailingLine(
                "{\n\"a\": {\"$type\": \"color\",\n \"$value\": {\"colorSpace\": \"srgb\", \"components\": [1, 0]}}}"),
            3);
  EXPECT_EQ(FailingLine(
                "{\"a\": {\"$type\": \"color\",\n\"$value\": {\"colorSpace\": \"cmyk\", \"components\": [1, 0, 0]}}}"),
            2);
  EXPECT_EQ(FailingLine("{\"a\": {\"$type\": \"color\",\n\"$value\": \"{b.c}\"}}"), 2);
  EXPECT_EQ(FailingLine("{\"a\": {\"$type\": \"color\", \"$value\": \"{a}\"}}"), 1);  // itself
  EXPECT_EQ(FailingLine("{\"a\": {\"$type\": \"color\", \"$value\": \"#12345\"}}"), 1);
  // JSON faults.
  EXPECT_EQ(FailingLine("{\n\"a\": 1\n\"b\": 2}"), 3);
  EXPECT_EQ(FailingLine("{\"a\": 01}"), 1);
  EXPECT_EQ(FailingLine("{\"a\": 1e999}"), 1);
  EXPECT_EQ(FailingLine("{\"a\": \"\\ud800\"}"), 1);
  EXPECT_EQ(FailingLine("{\"a\": \"tab\there\"}"), 1);
  EXPECT_EQ(FailingLine("{} {}"), 1);
  EXPECT_EQ(FailingLine("{\n\"a\": \"\xE4\xB8\"}"), 2);
  EXPECT_EQ(FailingLine(std::string(100000, '[')), 1);
  EXPECT_EQ(FailingLine("{\"a\": {\"$type\": \"color\", \"$value\": \"{b}\"}, \"b\": {\"$value\": \"{a}\"}}"), 1);
}

TEST(DesignTokens, JsonStringsAndNumbers) {
  const JsonValue value = ParseJson(R"({"s": "q\"\\\/\b\f\n\r\t\u00e9\ud83d\ude00", "n": [-0.5e2, 0, 12], "t": true})");
  EXPECT_EQ(value.Find("s")->string, "q\"\\/\b\f\n\r\t\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(value.Find("n")->items[0].number, -50);
  EXPECT_EQ(value.Find("n")->items[2].number, 12);
  EXPECT_TRUE(value.Find("t")->boolean);
  EXPECT_EQ(value.Find("missing"), nullptr);
  EXPECT_EQ(JsonQuoted("a\"b\\c\n\x01深"), "\"a\\\"b\\\\c\\n\\u0001深\"");
}

TEST(DesignTokens, WritesFlatSrgbTokensThatReadBack) {
  Palette palette{.name = "p",
                  .entries = {{.color = MakeColor(255, 88, 88), .name = "brand.red {x}"},
                              {.color = MakeColor(0, 0, 0), .name = "$black"},
                              {.color = MakeColor(1, 2, 3), .name = "深\"蓝\""},
                              {.color = MakeColor(4, 5, 6), .name = ""}}};
  const std::string text = WriteDesignTokens(palette);
  EXPECT_TRUE(
      text.starts_with("{\n"
                       "  \"brand-red -x-\": {\n"
                       "    \"$type\": \"color\",\n"
                       "    \"$value\": {\n"
                       "      \"colorSpace\": \"srgb\",\n"
                       "      \"components\": [1, 0.3451, 0.3451],\n"
                       "      \"hex\": \"#ff5858\"\n"
                       "    }\n"
                       "  },\n"
                       "  \"black\": {\n"));
  std::mt19937 random(5);
  for (int i = 0; i < 5000; ++i) palette.entries.push_back({.color = static_cast<TColor>(random() & 0xFFFFFF)});
  const Palette back = ReadDesignTokens(WriteDesignTokens(palette), "x");
  ASSERT_EQ(back.entries.size(), palette.entries.size());
  for (std::size_t i = 0; i < palette.entries.size(); ++i) ASSERT_EQ(back.entries[i].color, palette.entries[i].color);
  EXPECT_EQ(back.entries[2].name, "深\"蓝\"");
  EXPECT_EQ(back.entries[3].name, "color-4");
  EXPECT_EQ(WriteDesignTokens({}), "{}\n");
}

}  // namespace
}  // namespace huemira
