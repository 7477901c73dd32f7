#include "framework/application.h"

#include "framework/text.h"

namespace huemira {

namespace {
constexpr wchar_t kApplicationClass[] = L"HuemiraApplication";
}

Application& Application::Instance() {
  static Application application;
  return application;
}

void Application::Initialize(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"MAINICON");
  windowClass.lpszClassName = kApplicationClass;
  RegisterClassExW(&windowClass);
  // A zero-size, never-shown top-level window, like the owner window of
  // classic component frameworks: forms owned by it get no taskbar buttons.
  handle_ = CreateWindowExW(0, kApplicationClass, title_.c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                            0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
}

void Application::SetTitle(const std::wstring& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, title.c_str());
}

int Application::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void Application::Terminate() { PostQuitMessage(0); }

void Application::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Application::ShowException(const std::exception& failure) {
  if (OnException) return OnException(failure);
  MessageBoxW(handle_, Utf8ToWide(failure.what()).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace huemira
