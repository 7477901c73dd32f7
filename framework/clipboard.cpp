#include "framework/clipboard.h"

#include <cstring>

#include "framework/application.h"
#include "framework/exception.h"

namespace huemira {

ClipboardSession::ClipboardSession() {
  // Another program may be between its own open and close: a few short
  // retries spare the user an error box for a collision of milliseconds.
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(Application::Instance().Handle())) return;
    Sleep(10);
  }
  throw EClipboardException("Cannot open clipboard");
}

bool PutClipboardBytes(UINT format, const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return false;
  {
    GlobalMemoryLock lock(block);
    if (!lock.Data()) {
      GlobalFree(block);
      return false;
    }
    std::memcpy(lock.Data(), bytes, size);
  }
  // From here on the clipboard owns the block.
  if (SetClipboardData(format, block)) return true;
  GlobalFree(block);
  return false;
}

void SetClipboardText(const std::wstring& text) {
  ClipboardSession clipboard;
  EmptyClipboard();
  // Unicode text; the system offers it to 8-bit readers in their code page.
  PutClipboardBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

std::wstring GetClipboardText() {
  ClipboardSession clipboard;
  HANDLE block = GetClipboardData(CF_UNICODETEXT);
  if (!block) return {};
  GlobalMemoryLock lock(block);
  const auto* data = static_cast<const wchar_t*>(lock.Data());
  if (!data) return {};
  return std::wstring(data, wcsnlen(data, lock.Size() / sizeof(wchar_t)));
}

}  // namespace huemira
