#include "color/gimp_palette.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "color/palette_file_error.h"
#include "color/palette_text.h"

namespace huemira {
namespace {

constexpr std::string_view kHeader = "GIMP Palette";
constexpr std::string_view kNameKey = "Name:";
constexpr std::string_view kColumnsKey = "Columns:";
// GIMP's own limit for the palette view.
constexpr int kMaxColumns = 256;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next whitespace-separated integer in [0, max] from the front of rest,
// which is advanced past it; false when there is none.
bool TakeInteger(std::string_view& rest, int max, int& value) {
  rest = rest.substr(std::min(rest.size(), rest.find_first_not_of(" \t")));
  const char* end = rest.data() + rest.size();
  const auto [stop, error] = std::from_chars(rest.data(), end, value);
  if (error != std::errc() || (stop != end && !IsBlank(*stop)) || value < 0 || value > max) return false;
  rest.remove_prefix(static_cast<std::size_t>(stop - rest.data()));
  return true;
}

PaletteEntry ColorLine(std::string_view line, int lineNumber) {
  int rgb[3];
  for (int& component : rgb) {
    if (!TakeInteger(line, 255, component)) {
      throw PaletteFileError(lineNumber, "颜色行应以三个 0 到 255 的整数开头");
    }
  }
  return {.color = MakeColor(rgb[0], rgb[1], rgb[2]), .name = std::string(TrimBlanks(line))};
}

}  // namespace

Palette ReadGimpPalette(std::string_view bytes, std::string fallbackName) {
  const std::vector<std::string_view> lines = SplitPaletteLines(bytes);
  if (lines.empty() || TrimBlanks(lines[0]) != kHeader) {
    throw PaletteFileError(1, "不是 GIMP 调色板：第一行应为 GIMP Palette");
  }
  Palette palette{.name = std::move(fallbackName)};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    const std::string_view line = TrimBlanks(lines[i]);
    if (line.empty() || line.starts_with('#')) continue;
    if (line.starts_with(kNameKey)) {
      const std::string_view name = TrimBlanks(line.substr(kNameKey.size()));
      if (!name.empty()) palette.name = name;
    } else if (line.starts_with(kColumnsKey)) {
      std::string_view value = TrimBlanks(line.substr(kColumnsKey.size()));
      if (!TakeInteger(value, kMaxColumns, palette.columns) || !value.empty()) {
        throw PaletteFileError(lineNumber, "Columns 应为 0 到 256 的整数");
      }
    } else {
      palette.entries.push_back(ColorLine(line, lineNumber));
    }
  }
  return palette;
}

std::string WriteGimpPalette(const Palette& palette) {
  std::string out;
  out.reserve(64 + palette.entries.size() * 24);
  out += kHeader;
  out += "\nName: ";
  out += SingleLineText(palette.name);
  out += "\nColumns: ";
  out += std::to_string(std::clamp(palette.columns, 0, kMaxColumns));
  out += '\n';
  for (const PaletteEntry& entry : palette.entries) {
    char numbers[16];
    std::snprintf(numbers, sizeof numbers, "%3d %3d %3d", RedOf(entry.color), GreenOf(entry.color),
                  BlueOf(entry.color));
    out += numbers;
    const std::string name = SingleLineText(entry.name);
    if (!TrimBlanks(name).empty()) {
      out += '\t';
      out += TrimBlanks(name);
    }
    out += '\n';
  }
  return out;
}

}  // namespace huemira
