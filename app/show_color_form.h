// The zoom window: the current colour over a large, resizable area.
#pragma once

#include <string>

#include "color/web_color.h"
#include "framework/form.h"

namespace huemira {

class TForm_ShowColor : public Form {
 public:
  void Create();
  // Sets caption and colour, then shows the window modally, centred.
  void ShowColor(TColor color, const std::wstring& code);
  TColor ShownColor() const { return color_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TColor color_ = 0;
};

}  // namespace huemira
