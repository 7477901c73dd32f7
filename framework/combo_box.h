// Drop-down list: a fixed list of texts of which one is chosen, by index.
#pragma once

#include <string>
#include <vector>

#include "framework/control.h"

namespace huemira {

class ComboBox : public Control {
 public:
  struct Args {
    RECT bounds{};  // the height is that of the opened list
    std::vector<std::wstring> items;
    std::wstring hint;
  };
  void Create(Form& parent, const Args& args);

  // The chosen entry, or -1 when none is.
  int ItemIndex() const;
  void SetItemIndex(int index);
};

}  // namespace huemira
