#include "framework/clipboard.h"

#include <windows.h>

#include <cstring>

#include "framework/application.h"
#include "framework/exception.h"

namespace huemira {

namespace {

class OpenedClipboard {
 public:
  OpenedClipboard() {
    // Another program may be between its own open and close: a few short
    // retries spare the user an error box for a collision of milliseconds.
    for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
      open_ = OpenClipboard(Application::Instance().Handle()) != FALSE;
      if (!open_) Sleep(10);
    }
    if (!open_) throw EClipboardException("Cannot open clipboard");
  }
  ~OpenedClipboard() { CloseClipboard(); }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

 private:
  bool open_ = false;
};

}  // namespace

void SetClipboardText(const std::wstring& text) {
  OpenedClipboard clipboard;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return;
  std::memcpy(GlobalLock(block), text.c_str(), bytes);
  GlobalUnlock(block);
  // Unicode text; the system offers it to 8-bit readers in their code page.
  if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
}

std::wstring GetClipboardText() {
  OpenedClipboard clipboard;
  HANDLE block = GetClipboardData(CF_UNICODETEXT);
  if (!block) return {};
  const auto* data = static_cast<const wchar_t*>(GlobalLock(block));
  if (!data) return {};
  std::wstring text(data, wcsnlen(data, GlobalSize(block) / sizeof(wchar_t)));
  GlobalUnlock(block);
  return text;
}

}  // namespace huemira
