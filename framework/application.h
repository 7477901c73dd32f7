// The program's hidden owner window, its title, the message loop and the
// error box for failures that no handler catches.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace huemira {

class Application {
 public:
  static Application& Instance();

  // Creates the hidden owner window; call once before creating forms.
  void Initialize(HINSTANCE instance);
  HINSTANCE InstanceHandle() const { return instance_; }
  // The hidden top-level window that owns every form and carries the title.
  HWND Handle() const { return handle_; }

  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);

  // Runs the message loop until Terminate (the main form's destruction).
  int Run();
  void Terminate();
  // Handles the messages that are waiting, then returns.
  void ProcessMessages();

  // Shows a failure that no handler caught in an error box; the program goes on.
  void ShowException(const std::exception& failure);
  // Replaces the error box (tests record failures instead of blocking on a box).
  std::function<void(const std::exception& failure)> OnException;

 private:
  Application() = default;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  std::wstring title_;
};

// Runs one event handler; a failure ends the event and reaches the error box.
template <typename Handler>
void RunGuarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& failure) {
    Application::Instance().ShowException(failure);
  }
}

}  // namespace huemira
