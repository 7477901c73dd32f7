#include "color/web_color.h"

#include <cwchar>

#include "framework/exception.h"

namespace huemira {

namespace {

constexpr wchar_t kBackspace = 8;

int HexDigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

std::wstring SixDigitForm(TColor color) {
  wchar_t digits[8];
  std::swprintf(digits, 8, L"%.2X%.2X%.2X", RedOf(color), GreenOf(color), BlueOf(color));
  return digits;
}

std::wstring FormatWebCode(TColor color, const std::wstring& prefix, const std::wstring& suffix) {
  return prefix + SixDigitForm(color) + suffix;
}

TColor WebCodeToColor(const std::wstring& text) {
  const std::wstring kept = !text.empty() && text[0] == L'#' ? text.substr(1) : text;
  const auto piece = [&kept](std::size_t start) { return start < kept.size() ? kept.substr(start, 2) : L""; };
  // The pieces are joined blue, green, red into one hexadecimal number;
  // a short piece shifts the others, as the number text simply gets shorter.
  const std::wstring number = piece(4) + piece(2) + piece(0);
  TColor value = 0;
  for (wchar_t c : number) {
    const int digit = HexDigitValue(c);
    if (digit < 0) throw EConvertError("Not a valid colour code");
    value = (value << 4) | static_cast<TColor>(digit);
  }
  return value;
}

int StrToInt(const std::wstring& text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && (text[0] == L'-' || text[0] == L'+') && text[i++] == L'-';
  if (i == text.size()) throw EConvertError("Not a valid integer");
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') throw EConvertError("Not a valid integer");
    value = value * 10 + (text[i] - L'0');
    if (value > 2147483648LL) throw EConvertError("Not a valid integer");
  }
  value = negative ? -value : value;
  if (value > 2147483647LL) throw EConvertError("Not a valid integer");
  return static_cast<int>(value);
}

bool IsCodeBoxKey(wchar_t key) {
  return key == kBackspace || (key >= L'0' && key <= L'9') || (key >= L'a' && key <= L'f') ||
         (key >= L'A' && key <= L'F');
}

wchar_t FilterDigitKey(wchar_t key, std::size_t fieldLength, bool& clearField) {
  clearField = false;
  if (key == kBackspace) return key;
  clearField = fieldLength >= 3;
  return key >= L'0' && key <= L'9' ? key : 0;
}

}  // namespace huemira
