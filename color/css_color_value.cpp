#include "color/css_color_value.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "color/color_spaces.h"
#include "color/css_named_colors.h"
#include "color/palette_text.h"

namespace huemira {
namespace {

constexpr std::array<std::string_view, 10> kColorFunctions{"rgb", "rgba", "hsl",   "hsla",  "hwb",
                                                           "lab", "lch",  "oklab", "oklch", "color"};

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return lower;
}

enum class Unit { Number, Percent, Degrees, None };

struct Component {
  double value;  // degrees for angles
  Unit unit;
};

// One argument token: a number with an optional unit, or "none".
std::optional<Component> ParseComponent(std::string_view token) {
  if (token == "none") return Component{0, Unit::None};
  std::string_view digits = token;
  if (digits.starts_with('+')) digits.remove_prefix(1);
  const std::size_t signLength = digits.starts_with('-') ? 1 : 0;
  if (digits.size() <= signLength ||
      !(std::isdigit(static_cast<unsigned char>(digits[signLength])) || digits[signLength] == '.')) {
    return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  const std::string_view unit(end, static_cast<std::size_t>(digits.data() + digits.size() - end));
  if (unit.empty()) return Component{value, Unit::Number};
  if (unit == "%") return Component{value, Unit::Percent};
  if (unit == "deg") return Component{value, Unit::Degrees};
  if (unit == "rad") return Component{value * 180 / 3.14159265358979323846, Unit::Degrees};
  if (unit == "grad") return Component{value * 0.9, Unit::Degrees};
  if (unit == "turn") return Component{value * 360, Unit::Degrees};
  return std::nullopt;
}

// The arguments of a colour function: three components (after an optional
// colour space word for color()), the alpha dropped. Legacy comma syntax is
// accepted where CSS accepts it.
struct Arguments {
  std::string space;  // color() only
  Component c[3];
};

std::optional<Arguments> SplitArguments(std::string_view text, bool legacyAllowed, bool wantsSpace) {
  std::vector<std::string> tokens;
  bool commas = false, slash = false;
  std::size_t slashAt = 0;
  std::string current;
  const auto flush = [&] {
    if (!current.empty()) tokens.push_back(std::exchange(current, {}));
  };
  for (const char ch : text) {
    if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r') {
      flush();
    } else if (ch == ',' || ch == '/') {
      flush();
      if (ch == ',') {
        commas = true;
        tokens.push_back(",");
      } else {
        if (slash) return std::nullopt;
        slash = true;
        slashAt = tokens.size();
      }
    } else {
      current += ch;
    }
  }
  flush();
  Arguments arguments;
  std::vector<std::string> values;
  if (commas) {
    // a , b , c [, alpha]
    if (!legacyAllowed || slash || wantsSpace || tokens.size() % 2 == 0) return std::nullopt;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if ((i % 2 == 1) != (tokens[i] == ",")) return std::nullopt;
      if (i % 2 == 0) values.push_back(tokens[i]);
    }
    if (values.size() != 3 && values.size() != 4) return std::nullopt;
  } else {
    std::size_t first = 0;
    if (wantsSpace) {
      if (tokens.empty()) return std::nullopt;
      arguments.space = tokens[0];
      first = 1;
    }
    const std::size_t count = (slash ? slashAt : tokens.size()) - first;
    if (count != 3 || (slash && tokens.size() != slashAt + 1)) return std::nullopt;
    values.assign(tokens.begin() + static_cast<std::ptrdiff_t>(first), tokens.end());
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::optional<Component> component = ParseComponent(values[i]);
    if (!component || (i == 3 && component->unit == Unit::Degrees)) return std::nullopt;
    if (i < 3) arguments.c[i] = *component;
  }
  return arguments;
}

// A component that is a number or a percentage of percentScale; angles are
// no such component.
std::optional<double> Scaled(const Component& c, double percentScale) {
  switch (c.unit) {
    case Unit::Number: return c.value;
    case Unit::Percent: return c.value / 100 * percentScale;
    case Unit::None: return 0.0;
    case Unit::Degrees: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<double> Hue(const Component& c) {
  return c.unit == Unit::Percent ? std::nullopt : std::optional<double>(c.value);
}

GamutMappedColor InSrgb(const EncodedRgb& srgb) {
  // Values that CSS clamps at parse time; in gamut by construction.
  return GamutMapToSrgb(
      LinearFromSrgb({std::clamp(srgb.r, 0.0, 1.0), std::clamp(srgb.g, 0.0, 1.0), std::clamp(srgb.b, 0.0, 1.0)}));
}

std::optional<GamutMappedColor> FromFunction(std::string_view function, std::string_view inside) {
  const bool legacy = function == "rgb" || function == "rgba" || function == "hsl" || function == "hsla";
  const std::optional<Arguments> arguments = SplitArguments(inside, legacy, function == "color");
  if (!arguments) return std::nullopt;
  const Component* c = arguments->c;
  if (function == "rgb" || function == "rgba") {
    const auto channel = [&](int i) { return Scaled(c[i], 255); };
    const auto r = channel(0), g = channel(1), b = channel(2);
    if (!r || !g || !b) return std::nullopt;
    return InSrgb({*r / 255, *g / 255, *b / 255});
  }
  if (function == "hsl" || function == "hsla" || function == "hwb") {
    const auto h = Hue(c[0]), x = Scaled(c[1], 100), y = Scaled(c[2], 100);
    if (!h || !x || !y) return std::nullopt;
    const double s = std::clamp(*x / 100, 0.0, 1.0), l = std::clamp(*y / 100, 0.0, 1.0);
    return InSrgb(function == "hwb" ? SrgbFromHwb(*h, s, l) : SrgbFromHsl(*h, s, l));
  }
  if (function == "lab" || function == "lch") {
    const auto l = Scaled(c[0], 100);
    if (!l) return std::nullopt;
    const double lightness = std::clamp(*l, 0.0, 100.0);
    if (function == "lab") {
      const auto a = Scaled(c[1], 125), b = Scaled(c[2], 125);
      if (!a || !b) return std::nullopt;
      return GamutMapToSrgb(LinearFromLabD50({lightness, *a, *b}));
    }
    const auto chroma = Scaled(c[1], 150), h = Hue(c[2]);
    if (!chroma || !h) return std::nullopt;
    return GamutMapToSrgb(LinearFromLabD50(LabFromLch(lightness, std::max(*chroma, 0.0), *h)));
  }
  if (function == "oklab" || function == "oklch") {
    const auto l = Scaled(c[0], 1);
    if (!l) return std::nullopt;
    const double lightness = std::clamp(*l, 0.0, 1.0);
    if (function == "oklab") {
      const auto a = Scaled(c[1], 0.4), b = Scaled(c[2], 0.4);
      if (!a || !b) return std::nullopt;
      return GamutMapToSrgb(OkLab{lightness, *a, *b});
    }
    const auto chroma = Scaled(c[1], 0.4), h = Hue(c[2]);
    if (!chroma || !h) return std::nullopt;
    return GamutMapToSrgb(OkLabFromOkLch({lightness, std::max(*chroma, 0.0), *h}));
  }
  // color(space a b c)
  const auto x = Scaled(c[0], 1), y = Scaled(c[1], 1), z = Scaled(c[2], 1);
  if (!x || !y || !z) return std::nullopt;
  const std::string& space = arguments->space;
  if (space == "srgb") return GamutMapToSrgb(LinearFromSrgb({*x, *y, *z}));
  if (space == "srgb-linear") return GamutMapToSrgb(LinearRgb{*x, *y, *z});
  if (space == "display-p3") return GamutMapToSrgb(LinearFromDisplayP3({*x, *y, *z}));
  if (space == "a98-rgb") return GamutMapToSrgb(LinearFromA98Rgb({*x, *y, *z}));
  if (space == "prophoto-rgb") return GamutMapToSrgb(LinearFromProPhotoRgb({*x, *y, *z}));
  if (space == "rec2020") return GamutMapToSrgb(LinearFromRec2020({*x, *y, *z}));
  if (space == "xyz" || space == "xyz-d65") return GamutMapToSrgb(LinearFromXyzD65({*x, *y, *z}));
  if (space == "xyz-d50") return GamutMapToSrgb(LinearFromXyzD50({*x, *y, *z}));
  return std::nullopt;
}

std::optional<GamutMappedColor> FromHex(std::string_view digits) {
  if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8) return std::nullopt;
  if (!std::all_of(digits.begin(), digits.end(),
                   [](char ch) { return std::isxdigit(static_cast<unsigned char>(ch)); })) {
    return std::nullopt;
  }
  std::array<int, 3> values{};
  const bool shortForm = digits.size() <= 4;
  const std::size_t width = shortForm ? 1 : 2;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string_view piece = digits.substr(i * width, width);
    int value = 0;
    std::from_chars(piece.data(), piece.data() + piece.size(), value, 16);
    values[i] = shortForm ? value * 17 : value;
  }
  return GamutMappedColor{MakeColor(values[0], values[1], values[2]), false};
}

// "name(" at the front of a lower-case value: the function's name.
std::string_view FunctionName(std::string_view value) {
  const std::size_t open = value.find('(');
  if (open == std::string_view::npos) return {};
  return value.substr(0, open);
}

}  // namespace

bool StartsAsCssColor(std::string_view value) {
  const std::string lower = LowerAscii(TrimBlanks(value));
  if (lower.find("var(") != std::string::npos) return false;
  if (lower.starts_with('#')) return true;
  const std::string_view function = FunctionName(lower);
  if (std::find(kColorFunctions.begin(), kColorFunctions.end(), function) != kColorFunctions.end()) return true;
  return CssNamedColor(lower).has_value();
}

std::optional<GamutMappedColor> ParseCssColor(std::string_view value) {
  const std::string lower = LowerAscii(TrimBlanks(value));
  if (lower.starts_with('#')) return FromHex(std::string_view(lower).substr(1));
  if (const std::optional<TColor> named = CssNamedColor(lower)) return GamutMappedColor{*named, false};
  const std::string_view function = FunctionName(lower);
  if (function.empty() || !lower.ends_with(')') ||
      std::find(kColorFunctions.begin(), kColorFunctions.end(), function) == kColorFunctions.end()) {
    return std::nullopt;
  }
  const std::string_view inside =
      std::string_view(lower).substr(function.size() + 1, lower.size() - function.size() - 2);
  if (inside.find_first_of("()") != std::string_view::npos) return std::nullopt;
  return FromFunction(function, inside);
}

}  // namespace huemira
