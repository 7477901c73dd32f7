#include "app/frozen_backdrop.h"

#include "framework/handles.h"

namespace huemira {

namespace {
constexpr wchar_t kBackdropClass[] = L"HuemiraFrozenScreen";
}

void FrozenBackdrop::Show(const ScreenPixels& pixels) {
  const PixelSurface* snapshot = pixels.Snapshot();
  if (!snapshot) return;
  pixels_ = &pixels;
  if (!Handle()) {
    CreateHandle(WindowArgs{.className = kBackdropClass,
                            .style = WS_POPUP,
                            .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                            .classStyle = 0});
  }
  const POINT origin = pixels.SnapshotOrigin();
  SetWindowPos(Handle(), HWND_TOPMOST, origin.x, origin.y, snapshot->Width(), snapshot->Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // Drawn before anything else can show through.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void FrozenBackdrop::Close() {
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
  pixels_ = nullptr;
}

LRESULT FrozenBackdrop::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const PaintDc paint(Handle());
      const RECT& area = paint.Area();
      if (const PixelSurface* snapshot = pixels_ ? pixels_->Snapshot() : nullptr)
        BitBlt(paint.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, snapshot->Dc(),
               area.left, area.top, SRCCOPY);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_CROSS));
      return TRUE;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
