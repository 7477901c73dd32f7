#include "framework/profile.h"

#include <windows.h>

namespace huemira {

std::wstring ProfileRead(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                         std::size_t maxChars) {
  std::wstring value(maxChars + 1, L'\0');
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value.data(),
                                                static_cast<DWORD>(value.size()), path.c_str());
  value.resize(length);
  return value;
}

bool ProfileWrite(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

}  // namespace huemira
