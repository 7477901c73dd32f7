#include "color/palette_format.h"

#include <array>

#include "color/css_palette.h"
#include "color/design_tokens.h"
#include "color/gimp_palette.h"
#include "color/swatch_exchange.h"

namespace huemira {
namespace {

constexpr std::array<PaletteFormatInfo, 5> kFormats{{
    {PaletteFormat::Gimp, "gpl", ".gpl", "GIMP 调色板"},
    {PaletteFormat::SwatchExchange, "ase", ".ase", "Adobe 色板交换文件"},
    {PaletteFormat::Css, "css", ".css", "CSS 自定义属性"},
    {PaletteFormat::TailwindTheme, "tailwind", ".tailwind.css", "Tailwind v4 主题"},
    {PaletteFormat::DesignTokens, "tokens", ".tokens.json", "设计令牌 (DTCG)"},
}};

// Endings that name a format, longest first where one ends another.
struct Ending {
  std::string_view text;
  PaletteFormat format;
};
constexpr std::array<Ending, 6> kEndings{{
    {".tailwind.css", PaletteFormat::TailwindTheme},
    {".tokens.json", PaletteFormat::DesignTokens},
    {".tokens", PaletteFormat::DesignTokens},
    {".css", PaletteFormat::Css},
    {".gpl", PaletteFormat::Gimp},
    {".ase", PaletteFormat::SwatchExchange},
}};

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  const std::string_view tail = text.substr(text.size() - ending.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] + 32) : tail[i];
    if (c != ending[i]) return false;
  }
  return true;
}

std::string_view FileName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::span<const PaletteFormatInfo> PaletteFormats() { return kFormats; }

const PaletteFormatInfo& InfoOf(PaletteFormat format) {
  for (const PaletteFormatInfo& info : kFormats) {
    if (info.format == format) return info;
  }
  return kFormats[0];
}

std::optional<PaletteFormat> PaletteFormatFromPath(std::string_view path) {
  const std::string_view name = FileName(path);
  for (const Ending& ending : kEndings) {
    if (name.size() > ending.text.size() && EndsWithIgnoringCase(name, ending.text)) return ending.format;
  }
  return std::nullopt;
}

std::optional<PaletteFormat> PaletteFormatFromName(std::string_view name) {
  for (const PaletteFormatInfo& info : kFormats) {
    if (name.size() == info.name.size() && EndsWithIgnoringCase(name, info.name)) return info.format;
  }
  return std::nullopt;
}

std::string PaletteNameFromPath(std::string_view path) {
  const std::string_view name = FileName(path);
  for (const Ending& ending : kEndings) {
    if (name.size() > ending.text.size() && EndsWithIgnoringCase(name, ending.text)) {
      return std::string(name.substr(0, name.size() - ending.text.size()));
    }
  }
  const std::size_t dot = name.rfind('.');
  return std::string(dot == 0 || dot == std::string_view::npos ? name : name.substr(0, dot));
}

Palette ReadPalette(std::string_view bytes, PaletteFormat format, std::string fallbackName) {
  switch (format) {
    case PaletteFormat::Gimp: return ReadGimpPalette(bytes, std::move(fallbackName));
    case PaletteFormat::SwatchExchange: return ReadSwatchExchange(bytes, std::move(fallbackName));
    case PaletteFormat::Css:
    case PaletteFormat::TailwindTheme: return ReadCssPalette(bytes, std::move(fallbackName));
    case PaletteFormat::DesignTokens: return ReadDesignTokens(bytes, std::move(fallbackName));
  }
  return {};
}

std::string WritePalette(const Palette& palette, PaletteFormat format) {
  switch (format) {
    case PaletteFormat::Gimp: return WriteGimpPalette(palette);
    case PaletteFormat::SwatchExchange: return WriteSwatchExchange(palette);
    case PaletteFormat::Css: return WriteCssPalette(palette);
    case PaletteFormat::TailwindTheme: return WriteTailwindTheme(palette);
    case PaletteFormat::DesignTokens: return WriteDesignTokens(palette);
  }
  return {};
}

}  // namespace huemira
