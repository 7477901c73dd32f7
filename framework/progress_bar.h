// The system's progress bar, 0 ... 100.
#pragma once

#include "framework/control.h"

namespace huemira {

class ProgressBar : public Control {
 public:
  void Create(Form& parent, const RECT& bounds);
  // Moves the bar and paints it at once: the caller may be busy and let no
  // paint message through until it is done.
  void SetPosition(int percent);
};

}  // namespace huemira
