#include "app/contrast_sample.h"

#include "framework/canvas.h"
#include "framework/fonts.h"
#include "framework/form.h"
#include "framework/handles.h"

namespace huemira {

namespace {

constexpr wchar_t kSampleClass[] = L"HuemiraContrastSample";
constexpr wchar_t kSampleText[] = L"Aa 示例文字";
// Normal text as body copy is set; large text is 18 point (24 pixels), both
// in the system's message font, at the window's resolution.
const FontDescription kNormalText{.height = -14};
const FontDescription kLargeText{.height = -24};

}  // namespace

void ContrastSample::Create(Form& parent, const RECT& bounds) {
  RegisterOwnClass(kSampleClass, 0);
  CreateControl(parent, {kSampleClass, L"", 0, 0, bounds, L""});
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
  const Form& form = Owner();
  RECT normal{area.left + form.Scale(8), area.top + form.Scale(4), area.right - form.Scale(4),
              area.top + form.Scale(4 - kNormalText.height + 6)};
  RECT large{normal.left, normal.bottom, normal.right, area.bottom - form.Scale(2)};
  {
    const SelectedObject font(dc, form.ScaledFont(kNormalText));
    DrawTextW(dc, kSampleText, -1, &normal, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  const SelectedObject font(dc, form.ScaledFont(kLargeText));
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
