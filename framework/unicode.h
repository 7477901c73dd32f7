// UTF-8 and UTF-16 in portable code, for file formats that store either
// (the Adobe swatch exchange names are UTF-16, palette texts UTF-8). The
// wide Win32 conversions stay in text.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace huemira {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// code must be a Unicode scalar value (no surrogate, at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t code);

// Empty when the text holds an unpaired surrogate.
std::optional<std::string> Utf16ToUtf8(std::u16string_view text);
// The text must be valid UTF-8 (IsValidUtf8).
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace huemira
