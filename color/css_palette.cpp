#include "color/css_palette.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "color/css_color_value.h"
#include "color/oklab.h"
#include "color/palette_file_error.h"
#include "color/palette_text.h"
#include "framework/unicode.h"

namespace huemira {
namespace {

constexpr std::string_view kThemeAtRule = "@theme";
constexpr std::string_view kTailwindColorNamespace = "color-";
// How much of a faulty value an error message quotes.
constexpr std::size_t kQuotedValueLength = 40;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view WithoutImportant(std::string_view value) {
  const std::size_t bang = value.rfind('!');
  if (bang != std::string_view::npos && EqualsIgnoringCase(TrimBlanks(value.substr(bang + 1)), "important")) {
    value = value.substr(0, bang);
  }
  return value;
}

std::string_view TrimSpace(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n\f";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// Walks the style sheet: comments dropped, text split at "{", "}" and ";"
// outside strings and parentheses; each piece before ";" or "}" is offered
// as a declaration with the line it starts on and whether it lies in a
// Tailwind theme.
class CssReader {
 public:
  explicit CssReader(Palette& palette) : palette_(palette) {}

  void Read(std::string_view text) {
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
        const std::size_t end = text.find("*/", i + 2);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end + 2;
        for (std::size_t j = i; j < stop; ++j) line += text[j] == '\n';
        piece_ += ' ';
        i = stop - 1;
        continue;
      }
      if (c == '\n') ++line;
      if (quote_) {
        if (c == '\\' && i + 1 < text.size()) {
          piece_ += c;
          if (text[i + 1] == '\n') ++line;
          piece_ += text[++i];
          continue;
        }
        if (c == quote_) quote_ = 0;
        piece_ += c;
        continue;
      }
      if (c == '"' || c == '\'') quote_ = c;
      if (c == '(') ++parentheses_;
      if (c == ')' && parentheses_ > 0) --parentheses_;
      if (parentheses_ == 0 && (c == '{' || c == '}' || c == ';')) {
        if (c == '{') {
          blocks_.push_back(TrimSpace(piece_).starts_with(kThemeAtRule));
        } else {
          Declaration();
          if (c == '}' && !blocks_.empty()) blocks_.pop_back();
        }
        piece_.clear();
        pieceLine_ = 0;
        continue;
      }
      if (pieceLine_ == 0 && c != ' ' && c != '\t' && c != '\n' && c != '\r') pieceLine_ = line;
      piece_ += c;
    }
    Declaration();
  }

 private:
  bool InTheme() const {
    for (const bool theme : blocks_) {
      if (theme) return true;
    }
    return false;
  }

  void Declaration() {
    const std::string_view text = TrimSpace(piece_);
    if (!text.starts_with("--")) return;
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return;
    std::string_view name = TrimSpace(text.substr(2, colon - 2));
    const std::string_view value = TrimSpace(WithoutImportant(text.substr(colon + 1)));
    if (!StartsAsCssColor(value)) return;
    const std::optional<GamutMappedColor> color = ParseCssColor(value);
    if (!color) {
      std::string quoted(value.substr(0, kQuotedValueLength));
      while (!quoted.empty() && !IsValidUtf8(quoted)) quoted.pop_back();  // cut inside a character
      throw PaletteFileError(pieceLine_, "无法识别的颜色值：" + quoted);
    }
    if (InTheme() && name.starts_with(kTailwindColorNamespace) && name.size() > kTailwindColorNamespace.size()) {
      name.remove_prefix(kTailwindColorNamespace.size());
    }
    palette_.entries.push_back({.color = color->color, .name = std::string(name), .mapped = color->mapped});
  }

  Palette& palette_;
  std::string piece_;
  int pieceLine_ = 0;
  char quote_ = 0;
  int parentheses_ = 0;
  std::vector<bool> blocks_;  // each open block: an @theme?
};

bool KeptInIdentifier(unsigned char c) {
  return c >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

std::string CssIdentifier(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (KeptInIdentifier(static_cast<unsigned char>(c))) {
      out += c;
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  const std::size_t first = out.find_first_not_of('-');
  return first == std::string::npos ? std::string() : out.substr(first);
}

// "*/" would end the comment early.
std::string CommentText(std::string_view text) {
  std::string out = SingleLineText(text);
  for (std::size_t at; (at = out.find("*/")) != std::string::npos;) out.replace(at, 2, "* /");
  return out;
}

template <typename WriteValue>
std::string WriteBlock(const Palette& palette, std::string_view opening, std::string_view prefix, WriteValue value) {
  const std::vector<std::string> names = CssPropertyNames(palette);
  std::string out;
  out.reserve(64 + palette.entries.size() * 48);
  out += "/* ";
  out += CommentText(palette.name);
  out += " */\n";
  out += opening;
  out += " {\n";
  for (std::size_t i = 0; i < palette.entries.size(); ++i) {
    out += "  ";
    out += prefix;
    out += names[i];
    out += ": ";
    out += value(palette.entries[i].color);
    out += ";\n";
  }
  out += "}\n";
  return out;
}

}  // namespace

Palette ReadCssPalette(std::string_view bytes, std::string fallbackName) {
  RequireUtf8(bytes);
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  Palette palette{.name = std::move(fallbackName)};
  CssReader(palette).Read(bytes);
  return palette;
}

std::string WriteCssPalette(const Palette& palette) {
  return WriteBlock(palette, ":root", "--", [](TColor color) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", RedOf(color), GreenOf(color), BlueOf(color));
    return std::string(hex);
  });
}

std::string WriteTailwindTheme(const Palette& palette) {
  return WriteBlock(palette, "@theme", "--color-", [](TColor color) {
    // Five decimals of lightness and chroma and three of hue bring every 8-bit
    // colour back; a grey's hue means nothing and is written 0.
    const OkLch lch = OkLchOf(color);
    const bool grey = RedOf(color) == GreenOf(color) && GreenOf(color) == BlueOf(color);
    char text[48];
    std::snprintf(text, sizeof text, "oklch(%.5f %.5f %.3f)", lch.l, grey ? 0.0 : lch.c, grey ? 0.0 : lch.h);
    return std::string(text);
  });
}

std::vector<std::string> CssPropertyNames(const Palette& palette) {
  return UniqueEntryNames(palette, CssIdentifier);
}

}  // namespace huemira
