#include "framework/ini_document.h"

#include <algorithm>
#include <cwctype>
#include <optional>

namespace huemira {

namespace {

constexpr std::wstring_view kBlanks = L" \t";

std::wstring_view Trimmed(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  a = Trimmed(a);
  b = Trimmed(b);
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

// The name of the section a line opens, if it opens one.
std::optional<std::wstring_view> SectionName(std::wstring_view line) {
  line = Trimmed(line);
  if (line.empty() || line.front() != L'[') return std::nullopt;
  const std::size_t close = line.find(L']');
  if (close == std::wstring_view::npos) return std::nullopt;
  return line.substr(1, close - 1);
}

bool HoldsKey(std::wstring_view line, std::wstring_view key) {
  const std::size_t equals = line.find(L'=');
  return equals != std::wstring_view::npos && SameName(line.substr(0, equals), key);
}

bool IsBlank(std::wstring_view line) { return Trimmed(line).empty(); }

}  // namespace

IniDocument::IniDocument(std::wstring_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      lines_.emplace_back(text.substr(start));
      break;
    }
    lines_.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
  }
}

void IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  std::wstring line = std::wstring(key) + L'=' + StoredIniValue(value);
  auto header = std::find_if(lines_.begin(), lines_.end(), [&](const std::wstring& candidate) {
    const auto name = SectionName(candidate);
    return name && SameName(*name, section);
  });
  if (header == lines_.end()) {
    lines_.push_back(L'[' + std::wstring(section) + L']');
    lines_.push_back(std::move(line));
    return;
  }
  const auto body = header + 1;
  const auto end = std::find_if(body, lines_.end(), [](const std::wstring& candidate) {
    return SectionName(candidate).has_value();
  });
  const auto existing = std::find_if(body, end, [&](const std::wstring& candidate) { return HoldsKey(candidate, key); });
  if (existing != end) {
    *existing = std::move(line);
    return;
  }
  // After the section's last entry, before the blank lines that part it
  // from the next section.
  auto insertAt = end;
  while (insertAt != body && IsBlank(*(insertAt - 1))) --insertAt;
  lines_.insert(insertAt, std::move(line));
}

std::wstring IniDocument::Text() const {
  std::wstring text;
  for (const std::wstring& line : lines_) text += line + L"\r\n";
  return text;
}

std::wstring StoredIniValue(std::wstring_view value) {
  value = value.substr(0, value.find_first_of(L"\r\n"));
  if (value.empty()) return {};
  const bool blankAtAnEnd = kBlanks.find(value.front()) != std::wstring_view::npos ||
                            kBlanks.find(value.back()) != std::wstring_view::npos;
  const bool startsWithQuote = value.front() == L'"' || value.front() == L'\'';
  if (blankAtAnEnd || startsWithQuote) return L'"' + std::wstring(value) + L'"';
  return std::wstring(value);
}

}  // namespace huemira
