#include "app/settings.h"

#include <cwchar>

#include "color/sample_average.h"
#include "framework/message_box.h"

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

bool WriteSettings(const std::wstring& path, const std::vector<ProfileEntry>& entries) {
  return ProfileWrite(path, entries);
}

bool ReadLowerCaseSetting() {
  const std::wstring letterCase = ReadSetting(L"Main", L"LowerOrUpper");
  if (letterCase.empty()) WriteSetting(L"Main", L"LowerOrUpper", L"lower");
  return letterCase.empty() || letterCase == L"lower";
}

int ReadSampleSizeSetting() {
  const std::wstring text = ReadSetting(L"Pick", L"SampleSize");
  wchar_t* end = nullptr;
  const long size = std::wcstol(text.c_str(), &end, 10);
  return text.empty() || *end != L'\0' ? kDefaultSampleSize : SampleSizeOrDefault(static_cast<int>(size));
}

bool ReadFreezeSetting() { return ReadSetting(L"Pick", L"Freeze") == L"1"; }

bool ReadSrgbValuesSetting() { return ReadSetting(L"Pick", L"Values") == L"sRGB"; }

Hotkey ReadHotkeySetting(const std::wstring& key, Hotkey fallback) {
  return ParseHotkey(ReadSetting(L"Hotkey", key)).value_or(fallback);
}

void WarnNotSaved(HWND owner, const std::wstring& what) {
  ShowMessageBox({.owner = owner,
                  .text = what + L"未能保存:无法写入设置文件\n" + SettingsFilePath(),
                  .caption = L"警告",
                  .type = MB_ICONWARNING | MB_OK});
}

}  // namespace huemira
