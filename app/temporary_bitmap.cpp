#include "app/temporary_bitmap.h"

#include <windows.h>

namespace huemira {

std::wstring TemporaryBitmapPath() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder, length <= MAX_PATH ? length : 0) + L"QeltMake.bmp";
}

void DeleteTemporaryBitmap() {
  const std::wstring path = TemporaryBitmapPath();
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteFileW(path.c_str());
}

}  // namespace huemira
