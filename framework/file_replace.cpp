#include "framework/file_replace.h"

#include <windows.h>

#include "framework/handles.h"

namespace huemira {

namespace {

bool WriteAndFlush(const std::wstring& path, std::string_view bytes) {
  UniqueHandle file = OwnedFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const auto size = static_cast<DWORD>(bytes.size());
  DWORD written = 0;
  // Flushed before it takes the old file's place: after a power cut the
  // name must not point at blocks that never reached the disk.
  return WriteFile(file.get(), bytes.data(), size, &written, nullptr) && written == size &&
         FlushFileBuffers(file.get());
}

}  // namespace

bool ReplaceFileContent(const std::wstring& path, std::string_view bytes) {
  // One copy, at a fixed name: a copy left by a killed writer is simply
  // written over by the next one.
  const std::wstring copy = path + L".new";
  if (!WriteAndFlush(copy, bytes) ||
      !MoveFileExW(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(copy.c_str());
    return false;
  }
  return true;
}

}  // namespace huemira
