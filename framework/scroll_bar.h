// Horizontal slider. The platform does not notify programmatic moves, so the
// wrapper raises OnChange itself whenever the position changes, whether the
// user or the program moved it.
#pragma once

#include <functional>

#include "framework/control.h"

namespace huemira {

class ScrollBar : public Control {
 public:
  struct Args {
    RECT bounds{};
    int min = 0;
    int max = 100;
    int position = 0;
    std::wstring hint;
  };
  void Create(Form& parent, const Args& args);

  int Position() const { return position_; }
  // Clamps to the range; raises OnChange when the position changes.
  void SetPosition(int position);

  std::function<void()> OnChange;

  void HandleScroll(WORD request) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

}  // namespace huemira
