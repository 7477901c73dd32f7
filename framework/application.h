// The program's hidden owner window, its title, the message loop and the
// error box for failures that no handler catches.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "framework/hints.h"

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

  // The form whose closing ends the program; WM_CLOSE sent to the hidden
  // owner window closes it the way its close box does.
  HWND MainForm() const { return mainForm_; }
  void SetMainForm(HWND form) { mainForm_ = form; }
  // Whether the program shows its main form at start (a tray icon may
  // decide otherwise).
  bool ShowMainForm = true;
  // The hints of every form, and the window that shows them.
  HintController& Hints();

  // Runs the message loop until Terminate (the main form's destruction).
  int Run();
  void Terminate();
  bool Terminating() const { return terminating_; }
  // Handles the messages that are waiting, then returns.
  void ProcessMessages();
  // Handles messages as they come until signal is set (true), or until
  // keepWaiting, asked at least every tickMs, says no or the message loop is
  // told to end (false): how the window thread waits for a worker.
  bool ProcessMessagesUntil(HANDLE signal, DWORD tickMs, const std::function<bool()>& keepWaiting);

  // What every message loop of the program does with a message: keys for a
  // window that takes dialog keys move the focus (Tab, Shift+Tab, arrows)
  // as in any dialog; everything else is translated and dispatched.
  static void Dispatch(MSG& message);
  // Tab and the other dialog keys work among this top-level window's controls.
  static void EnableDialogKeys(HWND window);

  // Shows a failure that no handler caught in an error box; the program goes on.
  void ShowException(const std::exception& failure);
  // Replaces the error box (tests record failures instead of blocking on a box).
  std::function<void(const std::exception& failure)> OnException;

 private:
  Application() = default;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  HWND mainForm_ = nullptr;
  bool terminating_ = false;
  std::wstring title_;
  std::unique_ptr<HintController> hints_;
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
