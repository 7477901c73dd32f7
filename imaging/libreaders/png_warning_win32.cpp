#include <windows.h>

#include <string>

#include "imaging/libreaders/png_warning.h"

namespace huemira {

namespace {

std::wstring Widen(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

}  // namespace

void ShowPngWarning(const std::string& text) noexcept {
  try {
    MessageBoxW(nullptr, Widen(text).c_str(), L"PNG Error", MB_OK | MB_ICONWARNING);
  } catch (...) {
    // Out of memory while widening: the warning is lost, reading goes on.
  }
}

}  // namespace huemira
