// Base of every window whose class is ours: one static window procedure
// forwards each message to the object's HandleMessage, inside the error guard.
#pragma once

#include <windows.h>

#include <string>

namespace huemira {

struct WindowArgs {
  const wchar_t* className = nullptr;
  std::wstring text;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT bounds{};  // left, top, right, bottom in the parent's client coordinates
  HWND parent = nullptr;
  UINT classStyle = CS_DBLCLKS;
  HBRUSH background = nullptr;
};

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return handle_; }

  std::wstring Text() const;
  void SetText(const std::wstring& text);
  bool Visible() const { return IsWindowVisible(handle_) != FALSE; }
  void Invalidate() const { InvalidateRect(handle_, nullptr, TRUE); }

 protected:
  void CreateHandle(const WindowArgs& args);
  // Default handling of a message: DefWindowProcW.
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};

}  // namespace huemira
