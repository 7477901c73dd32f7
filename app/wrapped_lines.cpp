#include "app/wrapped_lines.h"

#include <regex>

namespace huemira {

namespace {

// Shorter lines end a paragraph or stand alone (titles, names, addresses).
constexpr std::size_t kWrappedLineLength = 55;

std::wstring TrimLeft(const std::wstring& line) {
  const std::size_t first = line.find_first_not_of(L" \t");
  return first == std::wstring::npos ? std::wstring() : line.substr(first);
}

bool IsRule(const std::wstring& line) {
  return !line.empty() && line.find_first_not_of(L"=-") == std::wstring::npos;
}

// A list item's mark and its blank: "- ", "* ", "· ", "1. ", "12) ", "a) ",
// "(2) ", "(ii) ". Words such as "it." that begin a wrapped line are none.
bool StartsItem(const std::wstring& trimmed) {
  static const std::wregex mark(L"^(?:[-*\u00B7] |[0-9]{1,2}[.)] |[A-Za-z]\\) |\\([0-9A-Za-z]{1,3}\\) )");
  return std::regex_search(trimmed, mark);
}

bool StartsOwnLine(const std::wstring& line) {
  const std::wstring trimmed = TrimLeft(line);
  return trimmed.empty() || IsRule(trimmed) || StartsItem(trimmed) || trimmed.rfind(L"Copyright", 0) == 0;
}

}  // namespace

std::wstring JoinWrappedLines(const std::wstring& text) {
  std::wstring result;
  result.reserve(text.size());
  std::wstring previous;  // the line before, as written
  bool first = true;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    const bool join = !first && previous.size() >= kWrappedLineLength && !IsRule(TrimLeft(previous)) &&
                      !StartsOwnLine(line);
    if (join) {
      result += L' ';
      result += TrimLeft(line);
    } else {
      if (!first) result += L'\n';
      result += line;
    }
    previous = std::move(line);
    first = false;
    start = end + 1;
  }
  return result;
}

}  // namespace huemira
