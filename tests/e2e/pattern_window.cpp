// Another program for the end-to-end checks: a window at a given place that
// shows two colours side by side, split at its middle column, and writes a
// line to a log for every mouse button that reaches it.
//   pattern-window.exe LEFT TOP LOGFILE
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr int kSide = 200;
const wchar_t* logPath = nullptr;

void Log(const char* what) {
  if (FILE* log = _wfopen(logPath, L"a")) {
    std::fputs(what, log);
    std::fclose(log);
  }
}

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      RECT left = client, right = client;
      left.right = right.left = client.right / 2;
      const HBRUSH first = CreateSolidBrush(RGB(10, 200, 30));
      const HBRUSH second = CreateSolidBrush(RGB(251, 0, 101));
      FillRect(dc, &left, first);
      FillRect(dc, &right, second);
      DeleteObject(first);
      DeleteObject(second);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      Log("button\n");
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  logPath = argv[3];
  SetProcessDPIAware();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PatternProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"PatternWindow";
  RegisterClassW(&windowClass);
  // A popup: its client area is the whole window, where the checks expect it.
  const HWND window = CreateWindowExW(0, L"PatternWindow", L"pattern-window", WS_POPUP | WS_VISIBLE,
                                      _wtoi(argv[1]), _wtoi(argv[2]), kSide, kSide, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
  if (!window) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
