#include "color/palette_text.h"

#include <unordered_set>

#include "color/palette_file_error.h"
#include "framework/unicode.h"

namespace huemira {

void RequireUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return;
  int line = 1;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos || !IsValidUtf8(text.substr(0, end))) break;
    text.remove_prefix(end + 1);
    ++line;
  }
  throw PaletteFileError(line, "文本不是 UTF-8 编码");
}

std::vector<std::string_view> SplitPaletteLines(std::string_view text) {
  RequireUtf8(text);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string SingleLineText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return out;
}

std::vector<std::string> UniqueEntryNames(const Palette& palette, std::string (*clean)(std::string_view)) {
  std::vector<std::string> names;
  names.reserve(palette.entries.size());
  std::unordered_set<std::string> taken;
  for (std::size_t i = 0; i < palette.entries.size(); ++i) {
    std::string name = clean(palette.entries[i].name);
    if (name.empty()) name = "color-" + std::to_string(i + 1);
    std::string unique = name;
    for (int n = 2; taken.contains(unique); ++n) unique = name + "-" + std::to_string(n);
    taken.insert(unique);
    names.push_back(std::move(unique));
  }
  return names;
}

}  // namespace huemira
