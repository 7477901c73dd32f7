#include "app/running_copy.h"

namespace huemira {

namespace {
// "Local\": one name per logon session, so that each user of a shared
// machine has a copy of their own.
constexpr wchar_t kMutexName[] = L"Local\\Huemira.RunningCopy.5C1D6E2A";
constexpr DWORD kWaitForStartMs = 5000;
constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerTimeoutMs = 5000;
}  // namespace

RunningCopyClaim::RunningCopyClaim() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  // A mutex that cannot be made at all claims nothing: the program runs as
  // it would without the check rather than not at all.
  first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

UINT ShowRunningCopyMessage() {
  static const UINT message = RegisterWindowMessageW(L"Huemira.ShowRunningCopy");
  return message;
}

void ShowRunningCopy(const wchar_t* mainWindowClass) {
  HWND running = nullptr;
  for (DWORD waited = 0; !(running = FindWindowW(mainWindowClass, nullptr)) && waited < kWaitForStartMs;
       waited += kPollMs)
    Sleep(kPollMs);
  if (!running) return;
  // This process was started by the user and may hand the foreground on.
  DWORD processId = 0;
  GetWindowThreadProcessId(running, &processId);
  AllowSetForegroundWindow(processId);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(running, ShowRunningCopyMessage(), 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer);
}

}  // namespace huemira
