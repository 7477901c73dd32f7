// The settings file: QeltColor.ini in the Windows directory. Keys are read
// one per call, so that nothing is ever cached; every write replaces the
// file in one step (framework/profile.h), keeping what else it holds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/hotkey_text.h"
#include "framework/profile.h"

namespace huemira {

std::wstring SettingsFilePath();
// Empty on any failure. Values are read up to 2047 characters.
std::wstring ReadSetting(const std::wstring& path, const std::wstring& section, const std::wstring& key);
// Whether the file now holds every entry; on a failure it is as it was.
bool WriteSettings(const std::wstring& path, const std::vector<ProfileEntry>& entries);

// Shorthands for the program's one settings file.
inline std::wstring ReadSetting(const std::wstring& section, const std::wstring& key) {
  return ReadSetting(SettingsFilePath(), section, key);
}
inline bool WriteSettings(const std::vector<ProfileEntry>& entries) {
  return WriteSettings(SettingsFilePath(), entries);
}
inline bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  return WriteSettings({{section, key, value}});
}

// Whether codes are shown in lower case: "Main"/"LowerOrUpper" is exactly
// "lower". An empty value counts as "lower", which is then written there.
bool ReadLowerCaseSetting();

// [Pick] SampleSize: one of kSampleSizes, else 1. [Pick] Freeze: "1" freezes.
int ReadSampleSizeSetting();
bool ReadFreezeSetting();
// [Pick] Values: "sRGB" takes screen colours through the display's profile;
// anything else ("Display", the default) takes them as the screen has them.
bool ReadSrgbValuesSetting();
// [Hotkey] key ("ShowHide", "Pick"): what the text says, else the default.
Hotkey ReadHotkeySetting(const std::wstring& key, Hotkey fallback);

// The warning box that what (a noun: "设置", "历史颜色") could not be
// saved, naming the file.
void WarnNotSaved(HWND owner, const std::wstring& what);

}  // namespace huemira
