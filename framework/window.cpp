#include "framework/window.h"

#include "framework/application.h"

namespace huemira {

Window::~Window() {
  if (handle_) {
    // The object is going away: later messages (WM_DESTROY...) must not reach it.
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

std::wstring Window::Text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Window::SetText(const std::wstring& text) { SetWindowTextW(handle_, text.c_str()); }

void Window::CreateHandle(const WindowArgs& args) {
  HINSTANCE instance = Application::Instance().InstanceHandle();
  WNDCLASSEXW existing{sizeof(existing)};
  if (!GetClassInfoExW(instance, args.className, &existing)) {
    WNDCLASSEXW windowClass{sizeof(windowClass)};
    windowClass.style = args.classStyle;
    windowClass.lpfnWndProc = StaticWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(instance, L"MAINICON");
    windowClass.hbrBackground = args.background ? args.background : GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = args.className;
    RegisterClassExW(&windowClass);
  }
  CreateWindowExW(args.exStyle, args.className, args.text.c_str(), args.style, args.bounds.left, args.bounds.top,
                  args.bounds.right - args.bounds.left, args.bounds.bottom - args.bounds.top, args.parent, nullptr,
                  instance, this);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  LRESULT result = 0;  // what a message whose handler failed returns
  RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); });
  return result;
}

}  // namespace huemira
