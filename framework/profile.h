// INI files: read one key per call through the platform's private-profile
// functions, nothing cached and no handle kept open; written by replacing the
// whole file in one step, so that a program killed at any moment leaves the
// old file or the new one, never a torn one.
#pragma once

#include <string>
#include <vector>

namespace huemira {

// The value of a key, or an empty text when the file, section or key is
// missing or unreadable. Values longer than maxChars are cut.
std::wstring ProfileRead(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                         std::size_t maxChars);

struct ProfileEntry {
  std::wstring section;
  std::wstring key;
  std::wstring value;
};
// Sets every entry and writes the file anew (UTF-16 with a byte-order mark,
// which the profile functions read in every language) through a copy beside
// it that then takes its place. Whatever else the file holds stays. Returns
// whether the file now holds the entries; on a failure it is as it was.
bool ProfileWrite(const std::wstring& path, const std::vector<ProfileEntry>& entries);

}  // namespace huemira
