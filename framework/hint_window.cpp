#include "framework/hint_window.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/fonts.h"
#include "framework/handles.h"

namespace huemira {

namespace {
constexpr wchar_t kHintWindowClass[] = L"HuemiraHintWindow";
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX;
constexpr int kPlainMaxWidth = 300;
constexpr int kPlainMargin = 2;
}  // namespace

HintWindow::HintWindow(DWORD style) {
  WindowArgs args;
  args.className = kHintWindowClass;
  args.style = WS_POPUP | style;
  args.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  args.parent = Application::Instance().Handle();
  args.classStyle = 0;
  CreateHandle(args);
}

void HintWindow::ActivateHint(const RECT& suggested, const std::wstring& text) {
  text_ = text;
  RECT measured{0, 0, kPlainMaxWidth, 0};
  {
    const WindowDc dc(Handle());
    const SelectedObject font(dc.get(), UiFont());
    DrawTextW(dc.get(), text_.c_str(), -1, &measured, kTextFormat | DT_CALCRECT);
  }
  RECT frame{0, 0, measured.right + 2 * kPlainMargin, measured.bottom + 2 * kPlainMargin};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Kept on the screen.
  const int left = std::max(0, std::min<int>(suggested.left, GetSystemMetrics(SM_CXSCREEN) - width));
  const int top = std::max(0, std::min<int>(suggested.top, GetSystemMetrics(SM_CYSCREEN) - height));
  ShowAt(RECT{left, top, left + width, top + height});
}

void HintWindow::ReleaseHint() {
  if (Visible()) ShowWindow(Handle(), SW_HIDE);
}

void HintWindow::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
  RECT text = client;
  InflateRect(&text, -kPlainMargin, -kPlainMargin);
  const SelectedObject font(dc, UiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  DrawTextW(dc, text_.c_str(), -1, &text, kTextFormat);
}

void HintWindow::ShowAt(const RECT& bounds) {
  SetWindowPos(Handle(), HWND_TOPMOST, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
  // The new text is painted at once, not at the next idle moment.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void HintWindow::PaintBuffered() {
  const PaintDc paint(Handle());
  const HDC target = paint.get();
  RECT client;
  GetClientRect(Handle(), &client);
  const UniqueMemoryDc dc(CreateCompatibleDC(target));
  const UniqueBitmap bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
  {
    const SelectedObject selected(dc.get(), bitmap.get());
    Paint(dc.get(), client);
    BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
  }
}

LRESULT HintWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintBuffered();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      // The pointer passes through to whatever lies below.
      return HTTRANSPARENT;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace huemira
