// The settings file: QeltColor.ini in the Windows directory, read and
// written one key per call so that nothing is ever cached.
#pragma once

#include <string>

namespace huemira {

std::wstring SettingsFilePath();
// Empty on any failure. Values are read up to 2047 characters.
std::wstring ReadSetting(const std::wstring& path, const std::wstring& section, const std::wstring& key);
// Failures are swallowed; the result tells whether the key was written.
bool WriteSetting(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value);

// Shorthands for the program's one settings file.
inline std::wstring ReadSetting(const std::wstring& section, const std::wstring& key) {
  return ReadSetting(SettingsFilePath(), section, key);
}
inline bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  return WriteSetting(SettingsFilePath(), section, key, value);
}

// Whether codes are shown in lower case: "Main"/"LowerOrUpper" is exactly
// "lower". An empty value counts as "lower", which is then written there.
bool ReadLowerCaseSetting();

}  // namespace huemira
