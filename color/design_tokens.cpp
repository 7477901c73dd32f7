#include "color/design_tokens.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "color/color_spaces.h"
#include "color/css_color_value.h"
#include "color/json.h"
#include "color/palette_file_error.h"
#include "color/palette_text.h"

namespace huemira {
namespace {

using Kind = JsonValue::Kind;

constexpr std::string_view kColorType = "color";
constexpr std::string_view kGroupToken = "$root";
// References that lead to references end here: a cycle, or a chain no
// real file needs.
constexpr int kMaxReferenceHops = 32;

bool IsReference(const JsonValue& value) {
  return value.kind == Kind::String && value.string.size() > 2 && value.string.front() == '{' &&
         value.string.back() == '}';
}

std::string_view TypeOf(const JsonValue& node, std::string_view inherited) {
  const JsonValue* type = node.Find("$type");
  return type && type->kind == Kind::String ? std::string_view(type->string) : inherited;
}

GamutMappedColor FromObject(const JsonValue& value) {
  const JsonValue* space = value.Find("colorSpace");
  const JsonValue* components = value.Find("components");
  const JsonValue* hex = value.Find("hex");
  if (!space || space->kind != Kind::String) throw PaletteFileError(value.line, "颜色缺少 colorSpace");
  double c[3] = {};
  const bool componentsRead = [&] {
    if (!components || components->kind != Kind::Array || components->items.size() != 3) return false;
    for (int i = 0; i < 3; ++i) {
      const JsonValue& item = components->items[static_cast<std::size_t>(i)];
      if (item.kind == Kind::Number) {
        c[i] = item.number;
      } else if (!(item.kind == Kind::String && item.string == "none")) {
        return false;
      }
    }
    return true;
  }();
  const std::string& name = space->string;
  if (componentsRead) {
    if (name == "srgb") return GamutMapToSrgb(LinearFromSrgb({c[0], c[1], c[2]}));
    if (name == "srgb-linear") return GamutMapToSrgb(LinearRgb{c[0], c[1], c[2]});
    if (name == "display-p3") return GamutMapToSrgb(LinearFromDisplayP3({c[0], c[1], c[2]}));
    if (name == "a98-rgb") return GamutMapToSrgb(LinearFromA98Rgb({c[0], c[1], c[2]}));
    if (name == "prophoto-rgb") return GamutMapToSrgb(LinearFromProPhotoRgb({c[0], c[1], c[2]}));
    if (name == "rec2020") return GamutMapToSrgb(LinearFromRec2020({c[0], c[1], c[2]}));
    if (name == "hsl" || name == "hwb") {
      const double x = std::clamp(c[1] / 100, 0.0, 1.0), y = std::clamp(c[2] / 100, 0.0, 1.0);
      const EncodedRgb srgb = name == "hsl" ? SrgbFromHsl(c[0], x, y) : SrgbFromHwb(c[0], x, y);
      return GamutMapToSrgb(LinearFromSrgb(srgb));
    }
    if (name == "lab") return GamutMapToSrgb(LinearFromLabD50({c[0], c[1], c[2]}));
    if (name == "lch") return GamutMapToSrgb(LinearFromLabD50(LabFromLch(c[0], std::max(c[1], 0.0), c[2])));
    if (name == "oklab") return GamutMapToSrgb(OkLab{c[0], c[1], c[2]});
    if (name == "oklch") return GamutMapToSrgb(OkLabFromOkLch({c[0], std::max(c[1], 0.0), c[2]}));
    if (name == "xyz-d65") return GamutMapToSrgb(LinearFromXyzD65({c[0], c[1], c[2]}));
    if (name == "xyz-d50") return GamutMapToSrgb(LinearFromXyzD50({c[0], c[1], c[2]}));
  }
  // The hex fallback stands in for a space this reader does not know.
  if (hex && hex->kind == Kind::String && hex->string.size() == 7 && hex->string[0] == '#') {
    if (const std::optional<GamutMappedColor> color = ParseCssColor(hex->string)) return *color;
  }
  if (!componentsRead) throw PaletteFileError(value.line, "components 应为三个数值或 none");
  throw PaletteFileError(value.line, "不支持的色彩空间：" + name.substr(0, 40));
}

class TokenReader {
 public:
  TokenReader(const JsonValue& root, Palette& palette) : root_(root), palette_(palette) {}

  // path: the group's name, its enclosing groups' names joined by "-".
  void Group(const JsonValue& group, const std::string& path, std::string_view type) {
    for (const JsonMember& member : group.members) {
      // "$root" is the token of the group itself; other "$" names are the
      // format's own keys.
      const bool groupToken = member.name == kGroupToken;
      if ((member.name.starts_with('$') && !groupToken) || member.value.kind != Kind::Object) continue;
      const JsonValue& node = member.value;
      const std::string name = groupToken     ? (path.empty() ? "root" : path)
                               : path.empty() ? member.name
                                              : path + "-" + member.name;
      const std::string_view nodeType = TypeOf(node, type);
      if (const JsonValue* value = node.Find("$value")) {
        Token(name, nodeType, *value);
      } else if (!groupToken) {
        Group(node, name, nodeType);
      }
    }
  }

 private:
  void Token(const std::string& name, std::string_view type, const JsonValue& value) {
    const JsonValue* resolved = &value;
    std::string_view resolvedType = type;
    for (int hops = 0; IsReference(*resolved); ++hops) {
      if (hops == kMaxReferenceHops) throw PaletteFileError(value.line, "引用过多或循环引用");
      const auto [target, targetType] = Referenced(*resolved, value.line);
      resolved = target;
      if (resolvedType.empty()) resolvedType = targetType;
    }
    if (resolvedType != kColorType) return;
    GamutMappedColor color{};
    if (resolved->kind == Kind::Object) {
      color = FromObject(*resolved);
    } else if (const std::optional<GamutMappedColor> css =
                   resolved->kind == Kind::String ? ParseCssColor(resolved->string) : std::nullopt) {
      color = *css;
    } else {
      throw PaletteFileError(resolved->line, "无法识别的颜色值");
    }
    palette_.entries.push_back({.color = color.color, .name = name, .mapped = color.mapped});
  }

  // The $value of the token "{a.b.c}" names, with its type.
  std::pair<const JsonValue*, std::string_view> Referenced(const JsonValue& reference, int line) const {
    const std::string_view path = std::string_view(reference.string).substr(1, reference.string.size() - 2);
    const JsonValue* node = &root_;
    std::string_view type = TypeOf(root_, {});
    for (std::size_t start = 0; start <= path.size();) {
      const std::size_t dot = std::min(path.find('.', start), path.size());
      node = node->kind == Kind::Object ? node->Find(path.substr(start, dot - start)) : nullptr;
      if (!node) throw PaletteFileError(line, "引用的令牌不存在：" + std::string(path.substr(0, 60)));
      type = TypeOf(*node, type);
      start = dot + 1;
    }
    const JsonValue* value = node->Find("$value");
    if (!value) throw PaletteFileError(line, "引用的不是令牌：" + std::string(path.substr(0, 60)));
    return {value, type};
  }

  const JsonValue& root_;
  Palette& palette_;
};

std::string TokenName(std::string_view name) {
  // "$" starts the format's own keys.
  name = TrimBlanks(name);
  while (name.starts_with('$')) name.remove_prefix(1);
  std::string out;
  for (const char c : name) {
    const bool reserved = c == '.' || c == '{' || c == '}' || static_cast<unsigned char>(c) < 0x20;
    out += reserved ? '-' : c;
  }
  return out;
}

// Up to four decimals, without trailing zeros: 0.3451, 1, 0.
std::string Component(int eightBit) {
  char text[16];
  std::snprintf(text, sizeof text, "%.4f", eightBit / 255.0);
  std::string out = text;
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  return out;
}

}  // namespace

Palette ReadDesignTokens(std::string_view bytes, std::string fallbackName) {
  const JsonValue root = ParseJson(bytes);
  if (root.kind != Kind::Object) throw PaletteFileError(root.line, "设计令牌文件应为 JSON 对象");
  Palette palette{.name = std::move(fallbackName)};
  TokenReader(root, palette).Group(root, {}, TypeOf(root, {}));
  return palette;
}

std::string WriteDesignTokens(const Palette& palette) {
  const std::vector<std::string> names = UniqueEntryNames(palette, TokenName);
  std::string out = "{";
  for (std::size_t i = 0; i < palette.entries.size(); ++i) {
    const TColor color = palette.entries[i].color;
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", RedOf(color), GreenOf(color), BlueOf(color));
    out += i == 0 ? "\n  " : ",\n  ";
    out += JsonQuoted(names[i]);
    out +=
        ": {\n"
        "    \"$type\": \"color\",\n"
        "    \"$value\": {\n"
        "      \"colorSpace\": \"srgb\",\n"
        "      \"components\": [";
    out += Component(RedOf(color)) + ", " + Component(GreenOf(color)) + ", " + Component(BlueOf(color));
    out += "],\n      \"hex\": \"";
    out += hex;
    out += "\"\n    }\n  }";
  }
  out += palette.entries.empty() ? "}\n" : "\n}\n";
  return out;
}

}  // namespace huemira
