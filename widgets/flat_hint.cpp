#include "widgets/flat_hint.h"

#include <memory>

#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/dpi.h"
#include "framework/handles.h"
#include "framework/system_color.h"

namespace huemira {

namespace {

constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX;
constexpr HintTiming kFlatHintTiming{500, 25, 5000};

}  // namespace

TFlatHint::TFlatHint() {
  HintController& hints = Application::Instance().Hints();
  hints.SetWindow(std::make_unique<TFlatHintWindow>(*this));
  hints.OnShowHint = [this](std::wstring& text, bool& canShow, const HintInfo& info) {
    if (OnShowHint) OnShowHint(text, canShow, info);
  };
  hints.SetTiming(kFlatHintTiming);
}

TFlatHint::~TFlatHint() {
  HintController& hints = Application::Instance().Hints();
  hints.SetWindow(nullptr);
  hints.OnShowHint = nullptr;
  hints.SetTiming(HintTiming{});
}

TFlatHintWindow::TFlatHintWindow(const TFlatHint& settings) : HintWindow(0), settings_(settings) {}

void TFlatHintWindow::ActivateHint(const RECT& suggested, const std::wstring& text) {
  SetHintText(text);
  POINT pointer;
  GetCursorPos(&pointer);
  // Laid out at the resolution of the monitor the hint shows on, and placed
  // by the pointer's quarter of that monitor.
  const HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
  const int dpi = static_cast<int>(MonitorDpi(monitor));
  metrics_ = HintMetrics(dpi);
  font_ = CreateFontFrom(settings_.Font, static_cast<UINT>(dpi));

  RECT measured{suggested.left, suggested.top,
                suggested.left + HintTextWidth(ScaleToDpi(settings_.MaxHintWidth, dpi), metrics_), suggested.top};
  {
    const WindowDc dc(Handle());
    const SelectedObject font(dc.get(), font_.get());
    DrawTextW(dc.get(), text.c_str(), -1, &measured, kTextFormat | DT_CALCRECT);
  }
  const int width = measured.right - measured.left + metrics_.extraWidth;
  const int height = measured.bottom - measured.top + metrics_.extraHeight;

  MONITORINFO info{sizeof(info)};
  GetMonitorInfoW(monitor, &info);
  const RECT& m = info.rcMonitor;
  const HintPlacement placement =
      PlaceHint({pointer.x, pointer.y}, Rect{m.left, m.top, m.right, m.bottom}, width, height, metrics_);
  arrow_ = placement.arrow;
  ShowAt(ToRECT(placement.bounds));
}

void TFlatHintWindow::Paint(HDC dc, const RECT& client) {
  const HintFaces faces = LayoutHint({client.left, client.top, client.right, client.bottom}, arrow_, metrics_);
  FillSolid(dc, ToRECT(faces.strip), ColorToRGB(settings_.ColorArrowBackground));
  FillSolid(dc, ToRECT(faces.text), ColorToRGB(settings_.ColorBackground));
  FrameSolid(dc, client, ColorToRGB(settings_.ColorBorder));

  POINT arrow[18];
  const auto points = ArrowPolyline(faces.anchor, arrow_, metrics_);
  for (std::size_t i = 0; i < points.size(); ++i) arrow[i] = POINT{points[i].x, points[i].y};
  const UniquePen pen(CreatePen(PS_SOLID, metrics_.arrowScale, ColorToRGB(settings_.ColorArrow)));
  {
    const SelectedObject selectedPen(dc, pen.get());
    Polyline(dc, arrow, static_cast<int>(points.size()));
  }

  RECT text = ToRECT(faces.textInset);
  const SelectedObject font(dc, font_ ? font_.get() : UiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(settings_.Font.color));
  DrawTextW(dc, HintText().c_str(), -1, &text, kTextFormat);
}

}  // namespace huemira
