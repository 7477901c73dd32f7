// The contrast window's sample: "Aa 示例文字" at normal and at large text
// size, drawn in the text colour on the background colour, so that the
// figures can be checked by eye.
#pragma once

#include "framework/color.h"
#include "framework/control.h"
#include "framework/handles.h"

namespace huemira {

class ContrastSample : public Control {
 public:
  void Create(Form& parent, const RECT& bounds);
  void SetColors(TColor text, TColor background);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();

  TColor text_ = clBlack;
  TColor background_ = clWhite;
};

}  // namespace huemira
