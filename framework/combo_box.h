// Drop-down list: a list of texts of which one is chosen, by index.
#pragma once

#include <functional>
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
  // Chooses an entry without raising OnChange, as a change by the program.
  void SetItemIndex(int index);
  // Replaces every entry; the choice goes to index (none for -1).
  void SetItems(const std::vector<std::wstring>& items, int index);

  // The user chose another entry.
  std::function<void()> OnChange;

  void HandleCommand(WORD notification) override;

 private:
  void AddItems(const std::vector<std::wstring>& items);
};

}  // namespace huemira
