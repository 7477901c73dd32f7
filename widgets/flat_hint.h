// The flat hint: every hint of the program drawn as a flat box with a
// coloured strip and a small arrow pointing back at the pointer.
// TFlatHint holds the look and, while it exists, makes TFlatHintWindow the
// window that shows the application's hints, with its own timing.
#pragma once

#include <functional>
#include <string>

#include "framework/color.h"
#include "framework/fonts.h"
#include "framework/hint_window.h"
#include "framework/hints.h"
#include "widgets/hint_layout.h"

namespace huemira {

class TFlatHint {
 public:
  TFlatHint();
  // The application falls back to its plain hint window.
  ~TFlatHint();
  TFlatHint(const TFlatHint&) = delete;
  TFlatHint& operator=(const TFlatHint&) = delete;

  // Read at every hint, so a change shows with the next one.
  TColor ColorBackground = MakeColor(0xFF, 0xFF, 0xFF);
  TColor ColorBorder = MakeColor(0x00, 0x00, 0x00);
  TColor ColorArrowBackground = MakeColor(0xFF, 0xD2, 0x53);
  TColor ColorArrow = MakeColor(0x00, 0x00, 0x00);
  int MaxHintWidth = 200;
  FontDescription Font;

  // Asked before each hint shows: may change its text or keep it from showing.
  std::function<void(std::wstring& hintText, bool& canShow, const HintInfo& info)> OnShowHint;
};

class TFlatHintWindow : public HintWindow {
 public:
  explicit TFlatHintWindow(const TFlatHint& settings);

  void ActivateHint(const RECT& suggested, const std::wstring& text) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  const TFlatHint& settings_;
  ArrowPosition arrow_ = ArrowPosition::TopLeft;
  HintMetrics metrics_;  // at the resolution of the monitor it shows on
  UniqueFont font_;
};

}  // namespace huemira
