#include "app/contrast_sample.h"

#include "framework/canvas.h"
#include "framework/fonts.h"
#include "framework/handles.h"

namespace huemira {

namespace {

constexpr wchar_t kSampleClass[] = L"HuemiraContrastSample";
constexpr wchar_t kSampleText[] = L"Aa 示例文字";
// Normal text as body copy is set; large text is 18 point (24 pixels).
constexpr int kNormalPixels = 14;
constexpr int kLargePixels = 24;

}  // namespace

void ContrastSample::Create(Form& parent, const RECT& bounds) {
  RegisterOwnClass(kSampleClass, 0);
  CreateControl(parent, {kSampleClass, L"", 0, 0, bounds, L""});
  normalFont_ = DeriveFont(UiFont(), {.pixelHeight = kNormalPixels});
  largeFont_ = DeriveFont(UiFont(), {.pixelHeight = kLargePixels});
}

void ContrastSample::SetColors(TColor text, TColor background) {
  if (text == text_ && background == background_) return;
  text_ = text;
  background_ = background;
  Invalidate();
}

void ContrastSample::Paint() {
  const PaintDc paint(Handle());
  const HDC dc = paint.get();
  RECT area;
  GetClientRect(Handle(), &area);
  FillSolid(dc, area, background_);
  DrawEdge(dc, &area, BDR_SUNKENINNER, BF_RECT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_);
  RECT normal{area.left + 8, area.top + 4, area.right - 4, area.top + 4 + kNormalPixels + 6};
  RECT large{area.left + 8, normal.bottom, area.right - 4, area.bottom - 2};
  {
    const SelectedObject font(dc, normalFont_.get());
    DrawTextW(dc, kSampleText, -1, &normal, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  const SelectedObject font(dc, largeFont_.get());
  DrawTextW(dc, kSampleText, -1, &large, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT ContrastSample::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
