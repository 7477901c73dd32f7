// Conversions between the UTF-8 of error messages and the UTF-16 of the
// wide Win32 API.
#pragma once

#include <string>

namespace huemira {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

}  // namespace huemira
