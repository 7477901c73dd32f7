#include "app/palette_file_name.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace huemira {

namespace {

// Room for the folder and the ".gpl" within the old 260-character paths.
constexpr std::size_t kMaxStemLength = 80;

constexpr std::wstring_view kReservedCharacters = L"<>:\"/\\|?*";

constexpr std::wstring_view kDeviceNames[] = {
    L"CON",  L"PRN",  L"AUX",  L"NUL",  L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6", L"COM7", L"COM8",
    L"COM9", L"COM\u00B9", L"COM\u00B2", L"COM\u00B3", L"LPT1", L"LPT2", L"LPT3", L"LPT4", L"LPT5", L"LPT6",
    L"LPT7", L"LPT8", L"LPT9", L"LPT\u00B9", L"LPT\u00B2", L"LPT\u00B3"};

wchar_t FoldCase(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

void DropTrailingDotsAndBlanks(std::wstring& text) {
  while (!text.empty() && (text.back() == L'.' || text.back() == L' ')) text.pop_back();
}

// Windows takes "con.txt" and "con .x" for the device too: what comes
// before the first dot counts, without its trailing blanks.
bool IsDeviceName(const std::wstring& stem) {
  std::wstring_view device = std::wstring_view(stem).substr(0, stem.find(L'.'));
  while (!device.empty() && device.back() == L' ') device.remove_suffix(1);
  return std::ranges::any_of(kDeviceNames, [&](std::wstring_view name) { return SameIgnoringCase(device, name); });
}

}  // namespace

std::wstring SafeFileStem(const std::wstring& name) {
  std::wstring stem;
  for (wchar_t c : name) stem.push_back(c < 0x20 || kReservedCharacters.find(c) != std::wstring_view::npos ? L'_' : c);
  if (stem.size() > kMaxStemLength) {
    // Not between the two halves of a surrogate pair.
    std::size_t length = kMaxStemLength;
    if (stem[length - 1] >= 0xD800 && stem[length - 1] <= 0xDBFF) --length;
    stem.resize(length);
  }
  DropTrailingDotsAndBlanks(stem);
  if (stem.empty()) return L"调色板";
  if (IsDeviceName(stem)) stem.insert(stem.begin(), L'_');
  return stem;
}

std::wstring UniqueName(const std::wstring& wanted, const std::function<bool(const std::wstring& name)>& taken) {
  if (!taken(wanted)) return wanted;
  for (int number = 2;; ++number) {
    std::wstring name = wanted + L" " + std::to_wstring(number);
    if (!taken(name)) return name;
  }
}

bool SameFileName(const std::wstring& a, const std::wstring& b) { return SameIgnoringCase(a, b); }

}  // namespace huemira
