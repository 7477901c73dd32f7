#include "color/swatch_exchange.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "color/color_spaces.h"
#include "color/gamut_mapping.h"
#include "color/palette_file_error.h"
#include "framework/unicode.h"

namespace huemira {
namespace {

constexpr std::string_view kSignature = "ASEF";
constexpr std::uint16_t kGroupStart = 0xC001;
constexpr std::uint16_t kGroupEnd = 0xC002;
constexpr std::uint16_t kColorEntry = 0x0001;
constexpr std::uint16_t kNormalColor = 2;
// Type and length: the least a block takes.
constexpr std::size_t kBlockHeaderSize = 6;

// Reads big-endian values from a range of the file; every read is checked
// against the range's end.
class BigEndianReader {
 public:
  BigEndianReader(std::string_view bytes, int block) : bytes_(bytes), block_(block) {}

  std::size_t Remaining() const { return bytes_.size() - pos_; }

  std::string_view Take(std::size_t count) {
    if (count > Remaining()) Fail("文件不完整");
    const std::string_view piece = bytes_.substr(pos_, count);
    pos_ += count;
    return piece;
  }
  std::uint16_t U16() {
    const std::string_view b = Take(2);
    return static_cast<std::uint16_t>((Byte(b, 0) << 8) | Byte(b, 1));
  }
  std::uint32_t U32() {
    const std::string_view b = Take(4);
    return (Byte(b, 0) << 24) | (Byte(b, 1) << 16) | (Byte(b, 2) << 8) | Byte(b, 3);
  }
  double Float() {
    const float value = std::bit_cast<float>(U32());
    if (!std::isfinite(value)) Fail("颜色值不是有限数");
    return value;
  }
  std::string Name() {
    const std::size_t units = U16();
    if (units * 2 > Remaining()) Fail("名称超出块的长度");
    std::u16string name;
    name.reserve(units);
    for (std::size_t i = 0; i < units; ++i) name += static_cast<char16_t>(U16());
    while (!name.empty() && name.back() == u'\0') name.pop_back();
    const std::optional<std::string> utf8 = Utf16ToUtf8(name);
    if (!utf8) Fail("名称不是有效的 UTF-16");
    return *utf8;
  }

  [[noreturn]] void Fail(const char* message) const {
    throw PaletteFileError(0, block_ == 0 ? std::string(message) : "第 " + std::to_string(block_) + " 块：" + message);
  }

 private:
  static std::uint32_t Byte(std::string_view b, std::size_t i) { return static_cast<unsigned char>(b[i]); }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int block_;  // from 1; 0 for the file header
};

GamutMappedColor EntryColor(BigEndianReader& block) {
  const std::string_view model = block.Take(4);
  const auto unit = [](double v) { return std::clamp(v, 0.0, 1.0); };
  if (model == "RGB ") {
    const double r = block.Float(), g = block.Float(), b = block.Float();
    return GamutMapToSrgb(LinearFromSrgb({unit(r), unit(g), unit(b)}));
  }
  if (model == "CMYK") {
    const double c = unit(block.Float()), m = unit(block.Float()), y = unit(block.Float()), k = unit(block.Float());
    return GamutMapToSrgb(LinearFromSrgb({(1 - c) * (1 - k), (1 - m) * (1 - k), (1 - y) * (1 - k)}));
  }
  if (model == "LAB ") {
    const double l = block.Float(), a = block.Float(), b = block.Float();
    return GamutMapToSrgb(LinearFromLabD50({std::clamp(l * 100, 0.0, 100.0), a, b}));
  }
  if (model == "Gray") {
    const double grey = unit(block.Float());
    return GamutMapToSrgb(LinearFromSrgb({grey, grey, grey}));
  }
  block.Fail("未知的颜色模式");
}

std::string Joined(const std::vector<std::string>& groups, const std::string& name) {
  std::string out;
  for (const std::string& group : groups) {
    if (group.empty()) continue;
    if (!out.empty()) out += '-';
    out += group;
  }
  if (!out.empty() && !name.empty()) out += '-';
  return out + name;
}

void PutU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value & 0xFF);
}
void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, static_cast<std::uint16_t>(value >> 16));
  PutU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
}

}  // namespace

Palette ReadSwatchExchange(std::string_view bytes, std::string fallbackName) {
  BigEndianReader file(bytes, 0);
  if (file.Remaining() < 12 || file.Take(4) != kSignature) file.Fail("不是 Adobe 色板交换文件");
  file.U16();  // version, 1.0 in every known file; later ones keep the layout
  file.U16();
  const std::uint32_t count = file.U32();
  if (count > file.Remaining() / kBlockHeaderSize) file.Fail("文件不完整");
  Palette palette{.name = std::move(fallbackName)};
  std::vector<std::string> groups;
  for (std::uint32_t i = 0; i < count; ++i) {
    BigEndianReader header(file.Take(kBlockHeaderSize), static_cast<int>(i) + 1);
    const std::uint16_t type = header.U16();
    const std::uint32_t length = header.U32();
    if (length > file.Remaining()) header.Fail("文件不完整");
    BigEndianReader block(file.Take(length), static_cast<int>(i) + 1);
    if (type == kGroupStart) {
      groups.push_back(block.Remaining() >= 2 ? block.Name() : std::string());
    } else if (type == kGroupEnd) {
      if (!groups.empty()) groups.pop_back();
    } else if (type == kColorEntry) {
      const std::string name = block.Name();
      const GamutMappedColor color = EntryColor(block);
      palette.entries.push_back({.color = color.color, .name = Joined(groups, name), .mapped = color.mapped});
    }
    // Other block types are skipped whole, as Adobe's readers do.
  }
  return palette;
}

std::string WriteSwatchExchange(const Palette& palette) {
  std::string out(kSignature);
  PutU16(out, 1);
  PutU16(out, 0);
  PutU32(out, static_cast<std::uint32_t>(palette.entries.size()));
  for (const PaletteEntry& entry : palette.entries) {
    std::u16string name = Utf8ToUtf16(entry.name);
    // The length field counts the terminating zero too.
    if (name.size() > 0xFFFE) {
      name.resize(0xFFFE);
      if (name.back() >= 0xD800 && name.back() <= 0xDBFF) name.pop_back();
    }
    PutU16(out, kColorEntry);
    PutU32(out, static_cast<std::uint32_t>(2 + 2 * (name.size() + 1) + 4 + 3 * 4 + 2));
    PutU16(out, static_cast<std::uint16_t>(name.size() + 1));
    for (const char16_t unit : name) PutU16(out, unit);
    PutU16(out, 0);
    out += "RGB ";
    for (const int component : {RedOf(entry.color), GreenOf(entry.color), BlueOf(entry.color)}) {
      PutU32(out, std::bit_cast<std::uint32_t>(static_cast<float>(component / 255.0)));
    }
    PutU16(out, kNormalColor);
  }
  return out;
}

}  // namespace huemira
