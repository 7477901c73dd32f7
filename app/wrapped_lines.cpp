#include "app/wrapped_lines.h"

#include <string_view>

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

bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The length of the run of characters at the start of text that satisfy is.
template <typename Predicate>
std::size_t RunLength(std::wstring_view text, Predicate is) {
  std::size_t length = 0;
  while (length < text.size() && is(text[length])) ++length;
  return length;
}

// A list item's mark and its blank: "- ", "* ", "· ", "1. ", "12) ", "a) ",
// "(2) ", "(ii) ". Words such as "it." that begin a wrapped line are none.
// (Written out rather than as a regular expression, which would bring the
// whole locale machinery into the program.)
bool StartsItem(std::wstring_view trimmed) {
  const auto endsMark = [&](std::size_t at, std::wstring_view closers) {
    return at + 1 < trimmed.size() && closers.find(trimmed[at]) != std::wstring_view::npos && trimmed[at + 1] == L' ';
  };
  if (trimmed.size() >= 2 && std::wstring_view(L"-*\u00B7").find(trimmed[0]) != std::wstring_view::npos &&
      trimmed[1] == L' ')
    return true;
  const std::size_t digits = RunLength(trimmed, IsAsciiDigit);
  if (digits >= 1 && digits <= 2 && endsMark(digits, L".)")) return true;
  if (!trimmed.empty() && IsAsciiLetter(trimmed[0]) && endsMark(1, L")")) return true;
  if (!trimmed.empty() && trimmed[0] == L'(') {
    const std::size_t inside =
        RunLength(trimmed.substr(1), [](wchar_t c) { return IsAsciiDigit(c) || IsAsciiLetter(c); });
    if (inside >= 1 && inside <= 3 && endsMark(1 + inside, L")")) return true;
  }
  return false;
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
