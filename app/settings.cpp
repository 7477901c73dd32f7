#include "app/settings.h"

#include <windows.h>

#include "framework/profile.h"

namespace huemira {

std::wstring SettingsFilePath() {
  wchar_t directory[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"QeltColor.ini";
  return std::wstring(directory, length) + L"\\QeltColor.ini";
}

std::wstring ReadSetting(const std::wstring& path, const std::wstring& section, const std::wstring& key) {
  return ProfileRead(path, section, key, 2047);
}

bool WriteSetting(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value) {
  return ProfileWrite(path, section, key, value);
}

bool ReadLowerCaseSetting() {
  const std::wstring letterCase = ReadSetting(L"Main", L"LowerOrUpper");
  if (letterCase.empty()) WriteSetting(L"Main", L"LowerOrUpper", L"lower");
  return letterCase.empty() || letterCase == L"lower";
}

}  // namespace huemira
