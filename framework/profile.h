// INI files through the platform's private-profile functions: one key per
// call, nothing cached, no handle kept open.
#pragma once

#include <string>

namespace huemira {

// The value of a key, or an empty text when the file, section or key is
// missing or unreadable. Values longer than maxChars are cut.
std::wstring ProfileRead(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                         std::size_t maxChars);
// Returns whether the value was written.
bool ProfileWrite(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value);

}  // namespace huemira
