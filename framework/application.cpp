#include "framework/application.h"

#include "framework/text.h"

namespace huemira {

namespace {
constexpr wchar_t kApplicationClass[] = L"HuemiraApplication";
constexpr wchar_t kDialogKeysProperty[] = L"Huemira.DialogKeys";
}  // namespace

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
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

HintController& Application::Hints() {
  if (!hints_) hints_ = std::make_unique<HintController>();
  return *hints_;
}

void Application::Terminate() {
  terminating_ = true;
  // No hint outlives the program's windows, nor its timer the loop.
  if (hints_) hints_->Cancel();
  PostQuitMessage(0);
}

void Application::Dispatch(MSG& message) {
  if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && GetPropW(root, kDialogKeysProperty) && IsDialogMessageW(root, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void Application::EnableDialogKeys(HWND window) { SetPropW(window, kDialogKeysProperty, window); }

void Application::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

bool Application::ProcessMessagesUntil(HANDLE signal, DWORD tickMs, const std::function<bool()>& keepWaiting) {
  for (;;) {
    if (WaitForSingleObject(signal, 0) == WAIT_OBJECT_0) return true;
    if (!keepWaiting()) return false;
    MsgWaitForMultipleObjectsEx(1, &signal, tickMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // The outer loop ends the program; this wait ends with it.
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
      }
      Dispatch(message);
    }
  }
}

void Application::ShowException(const std::exception& failure) {
  if (OnException) return OnException(failure);
  MessageBoxW(handle_, Utf8ToWide(failure.what()).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // This window carries the title too, so a tool that closes "Huemira" by
  // its title may pick it; destroying it would take the forms down without
  // their closing work (the history would not be written).
  if (message == WM_CLOSE) {
    HWND mainForm = Instance().mainForm_;
    if (mainForm && IsWindow(mainForm)) SendMessageW(mainForm, WM_CLOSE, 0, 0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace huemira
