#include "app/temporary_bitmap.h"

#include <windows.h>

#include <filesystem>

namespace huemira {

std::wstring TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  // TMP may name a relative folder, which would be the current one's child.
  if (!std::filesystem::path(folder).is_absolute()) return {};
  return std::wstring(folder, length);
}

std::wstring TemporaryBitmapPath() {
  const std::wstring folder = TemporaryFolder();
  return folder.empty() ? std::wstring() : folder + L"QeltMake.bmp";
}

void DeleteTemporaryBitmap() {
  const std::wstring path = TemporaryBitmapPath();
  if (!path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteFileW(path.c_str());
}

}  // namespace huemira
