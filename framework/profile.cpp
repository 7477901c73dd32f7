#include "framework/profile.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string_view>

#include "framework/file_replace.h"
#include "framework/handles.h"
#include "framework/ini_document.h"

namespace huemira {

namespace {

// A settings file is a few kilobytes; anything far larger is not one we
// would rewrite in memory.
constexpr LONGLONG kMaxProfileBytes = 4 << 20;
constexpr wchar_t kByteOrderMark = 0xFEFF;

// The text of the file as the profile functions read it: UTF-16 after its
// byte-order mark, UTF-8 after its own, else the system's ANSI code page.
// Empty for a missing file; none when it exists but cannot be read, which
// must then not be written over.
std::optional<std::wstring> ReadProfileText(const std::wstring& path) {
  UniqueHandle file = OwnedFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return std::wstring();
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxProfileBytes) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size()))
    return std::nullopt;

  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
    return text;
  }
  UINT codePage = CP_ACP;
  std::string_view encoded = bytes;
  if (encoded.starts_with("\xEF\xBB\xBF")) {
    codePage = CP_UTF8;
    encoded.remove_prefix(3);
  }
  if (encoded.empty()) return std::wstring();
  const int length = MultiByteToWideChar(codePage, 0, encoded.data(), static_cast<int>(encoded.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, encoded.data(), static_cast<int>(encoded.size()), text.data(), length);
  return text;
}

}  // namespace

std::wstring ProfileRead(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                         std::size_t maxChars) {
  std::wstring value(maxChars + 1, L'\0');
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value.data(),
                                                static_cast<DWORD>(value.size()), path.c_str());
  value.resize(length);
  return value;
}

bool ProfileWrite(const std::wstring& path, const std::vector<ProfileEntry>& entries) {
  const std::optional<std::wstring> old = ReadProfileText(path);
  if (!old) return false;
  IniDocument document(*old);
  for (const ProfileEntry& entry : entries) document.Set(entry.section, entry.key, entry.value);

  const std::wstring content = kByteOrderMark + document.Text();
  return ReplaceFileContent(
      path, std::string_view(reinterpret_cast<const char*>(content.data()), content.size() * sizeof(wchar_t)));
}

}  // namespace huemira
