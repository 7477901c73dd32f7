#include <windows.h>

#include <string>

#include "framework/text.h"
#include "imaging/libreaders/png_warning.h"

namespace huemira {

void ShowPngWarning(const std::string& text) noexcept {
  try {
    MessageBoxW(nullptr, Utf8ToWide(text).c_str(), L"PNG Error", MB_OK | MB_ICONWARNING);
  } catch (...) {
    // Out of memory while widening: the warning is lost, reading goes on.
  }
}

}  // namespace huemira
