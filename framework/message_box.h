// The program's message boxes go through one call, so that tests can see and
// answer them instead of waiting for someone to press a button.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace huemira {

struct MessageBoxRequest {
  HWND owner = nullptr;
  std::wstring text;
  std::wstring caption;
  UINT type = MB_OK;  // MB_ICONINFORMATION | MB_OK and the like
};

// Shows a modal message box; returns the button pressed (IDOK, ...).
int ShowMessageBox(const MessageBoxRequest& request);

// Answers every box in place of the system's (null restores it).
void SetMessageBoxHandler(std::function<int(const MessageBoxRequest& request)> handler);

}  // namespace huemira
