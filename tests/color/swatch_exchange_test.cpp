#include "color/swatch_exchange.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include "color/palette_file_error.h"
#include "expect_palette_entries.h"

namespace huemira {
namespace {

// Builds swatch exchange files by hand, big-endian as the format has it.
class AseBuilder {
 public:
  AseBuilder& Group(std::u16string_view name) { return Block(0xC001, Name(name)); }
  AseBuilder& EndGroup() { return Block(0xC002, {}); }
  AseBuilder& Color(std::u16string_view name, std::string_view model, std::vector<float> values) {
    std::string body = Name(name);
    body += model;
    for (const float v : values) U32(body, std::bit_cast<std::uint32_t>(v));
    U16(body, 2);
    return Block(0x0001, body);
  }
  AseBuilder& Block(std::uint16_t type, const std::string& body) {
    U16(blocks_, type);
    U32(blocks_, static_cast<std::uint32_t>(body.size()));
    blocks_ += body;
    ++count_;
    return *this;
  }
  std::string File() const {
    std::string out = "ASEF";
    U16(out, 1);
    U16(out, 0);
    U32(out, count_);
    return out + blocks_;
  }

 private:
  static void U16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v & 0xFF);
  }
  static void U32(std::string& out, std::uint32_t v) {
    U16(out, static_cast<std::uint16_t>(v >> 16));
    U16(out, static_cast<std::uint16_t>(v));
  }
  static std::string Name(std::u16string_view name) {
    std::string out;
    U16(out, static_cast<std::uint16_t>(name.size() + 1));
    for (const char16_t c : name) U16(out, c);
    U16(out, 0);
    return out;
  }
  std::string blocks_;
  std::uint32_t count_ = 0;
};

std::string HandMadeFile() {
  return AseBuilder()
      .Color(u"Coral red", "RGB ", {1.0f, 88 / 255.0f, 88 / 255.0f})
      .Group(u"Brand 品牌")
      .Color(u"青", "CMYK", {1.0f, 0.0f, 0.0f, 0.5f})
      .Color(u"red", "LAB ", {0.5429f, 80.82f, 69.91f})
      .Color(u"", "Gray", {0.5f})
      .EndGroup()
      .Block(0x0042, "unknown block, skipped")
      .Color(u"smile \U0001F600", "LAB ", {0.5f, 100.0f, 0.0f})
      .File();
}

TEST(SwatchExchange, ReadsEachModelAndFlattensGroups) {
  const Palette palette = ReadSwatchExchange(HandMadeFile(), "fallback");
  EXPECT_EQ(palette.name, "fallback");
  const ExpectedEntry expected[] = {
      {"Coral red", MakeColor(255, 88, 88), false},
      {"Brand 品牌-青", MakeColor(0, 128, 128), false},
      {"Brand 品牌-red", MakeColor(255, 0, 0), false},
      {"Brand 品牌", MakeColor(128, 128, 128), false},
      {"smile \xF0\x9F\x98\x80", MakeColor(0xEE, 0x00, 0x7D), true},
  };
  ExpectEntries(palette, expected);
}

TEST(SwatchExchange, RefusesDamagedFilesWhole) {
  const std::string file = HandMadeFile();
  for (std::size_t length = 0; length < file.size(); ++length) {
    EXPECT_THROW(ReadSwatchExchange(file.substr(0, length), "x"), PaletteFileError) << length;
  }
  std::string huge = file;
  huge[8] = '\x7F';  // block count
  EXPECT_THROW(ReadSwatchExchange(huge, "x"), PaletteFileError);
  EXPECT_THROW(ReadSwatchExchange("ASEG" + file.substr(4), "x"), PaletteFileError);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_THROW(ReadSwatchExchange(AseBuilder().Color(u"x", "RGB ", {nan, 0, 0}).File(), "x"), PaletteFileError);
  EXPECT_THROW(ReadSwatchExchange(AseBuilder().Color(u"x", "HSV ", {0, 0, 0}).File(), "x"), PaletteFileError);
  EXPECT_THROW(ReadSwatchExchange(AseBuilder().Color(u"\xD800", "RGB ", {0, 0, 0}).File(), "x"), PaletteFileError);
  try {
    ReadSwatchExchange(AseBuilder().Color(u"a", "RGB ", {0, 0, 0}).Color(u"b", "RGB ", {0, 0}).File(), "x");
    FAIL() << "no error";
  } catch (const PaletteFileError& error) {
    EXPECT_EQ(error.line(), 0);
    EXPECT_NE(std::string(error.what()).find("第 2 块"), std::string::npos) << error.what();
  }
}

TEST(SwatchExchange, WritesRgbEntriesThatReadBack) {
  Palette palette{.name = "p",
                  .entries = {{.color = MakeColor(255, 88, 88), .name = "Coral red"},
                              {.color = MakeColor(0, 0, 0), .name = ""},
                              {.color = MakeColor(1, 2, 3), .name = "深蓝 \xF0\x9F\x98\x80"}}};
  const std::string file = WriteSwatchExchange(palette);
  EXPECT_EQ(file, AseBuilder()
                      .Color(u"Coral red", "RGB ", {1.0f, 88 / 255.0f, 88 / 255.0f})
                      .Color(u"", "RGB ", {0, 0, 0})
                      .Color(u"深蓝 \U0001F600", "RGB ", {1 / 255.0f, 2 / 255.0f, 3 / 255.0f})
                      .File());
  std::mt19937 random(9);
  for (int i = 0; i < 5000; ++i) palette.entries.push_back({.color = static_cast<TColor>(random() & 0xFFFFFF)});
  const Palette back = ReadSwatchExchange(WriteSwatchExchange(palette), "x");
  ASSERT_EQ(back.entries.size(), palette.entries.size());
  for (std::size_t i = 0; i < palette.entries.size(); ++i) {
    ASSERT_EQ(back.entries[i].color, palette.entries[i].color);
    ASSERT_EQ(back.entries[i].name, palette.entries[i].name);
  }
}

}  // namespace
}  // namespace huemira
