// The web colour codes the user sees, types and copies.
#pragma once

#include <string>

#include "framework/color.h"

namespace huemira {

// Six upper-case hexadecimal digits, red first ("FF5858"): the form stored
// in the history keys. The colour must be a plain RGB value.
std::wstring SixDigitForm(TColor color);
// prefix + six digits + suffix.
std::wstring FormatWebCode(TColor color, const std::wstring& prefix, const std::wstring& suffix);

// Reads a typed or pasted code back: a leading "#" is dropped, then
// characters 1-2, 3-4 and 5-6 are red, green and blue (short pieces stay
// short, later characters are ignored). Throws EConvertError when a piece
// holds anything but hexadecimal digits.
TColor WebCodeToColor(const std::wstring& text);

// A decimal integer as typed into an RGB field: optional sign, digits, no
// blanks, within 32 bits. Throws EConvertError otherwise.
int StrToInt(const std::wstring& text);

// Key filter of the code box: whether a typed character may enter it.
bool IsCodeBoxKey(wchar_t key);

// Key filter of the RGB fields. Returns the character to let through (0 to
// discard it); clearField tells the caller to empty the field first.
wchar_t FilterDigitKey(wchar_t key, std::size_t fieldLength, bool& clearField);

}  // namespace huemira
