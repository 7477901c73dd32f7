// A self-painted rectangle of one colour with an optional bevel; it reports
// clicks, double-clicks, right-clicks and changes of its colour.
#pragma once

#include <functional>

#include "framework/control.h"

namespace huemira {

enum class Bevel { None, LoweredInner, RaisedInner, RaisedOuterLoweredInner };

class Panel : public Control {
 public:
  struct Args {
    RECT bounds{};
    COLORREF color = 0;
    Bevel bevel = Bevel::None;
    std::wstring caption;  // drawn centred
    std::wstring hint;
  };
  void Create(Form& parent, const Args& args);

  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

  // Raised after every change of the colour, whoever made it.
  std::function<void()> OnChange;
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(POINT screenPoint)> OnContextMenu;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();

  COLORREF color_ = 0;
  Bevel bevel_ = Bevel::None;
  std::wstring caption_;
};

}  // namespace huemira
