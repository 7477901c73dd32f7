// The clipboard. Each use opens it and releases it at once, so another
// program is never locked out by us.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace huemira {

// Holds the clipboard open, for the program's window, while it lives.
// Throws EClipboardException "Cannot open clipboard" when another program
// keeps it.
class ClipboardSession {
 public:
  ClipboardSession();
  ~ClipboardSession() { CloseClipboard(); }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
};

// A global memory block locked while this guard lives; Data() is null when
// the block could not be locked.
class GlobalMemoryLock {
 public:
  explicit GlobalMemoryLock(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  ~GlobalMemoryLock() {
    if (data_) GlobalUnlock(block_);
  }
  GlobalMemoryLock(const GlobalMemoryLock&) = delete;
  GlobalMemoryLock& operator=(const GlobalMemoryLock&) = delete;
  void* Data() const { return data_; }
  std::size_t Size() const { return GlobalSize(block_); }

 private:
  HGLOBAL block_;
  void* data_;
};

// Puts a copy of the bytes on the clipboard, which a ClipboardSession holds
// open, under format. Returns false when memory runs out.
bool PutClipboardBytes(UINT format, const void* bytes, std::size_t size);

// Replaces the clipboard's contents by text; throws as ClipboardSession does.
void SetClipboardText(const std::wstring& text);
// The clipboard's text, or an empty text when it holds none.
std::wstring GetClipboardText();

}  // namespace huemira
