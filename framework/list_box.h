// List of texts of which one is chosen. An entry may be dimmed: drawn in
// the system's grey text, still choosable (a file that cannot be read).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/control.h"

namespace huemira {

class ListBox : public Control {
 public:
  struct Args {
    RECT bounds{};
    std::wstring hint;
  };
  struct Item {
    std::wstring text;
    bool dimmed = false;
  };
  void Create(Form& parent, const Args& args);

  // Replaces every entry; the choice goes to index (none for -1).
  void SetItems(const std::vector<Item>& items, int index);
  int Count() const;
  // The chosen entry, or -1 when none is.
  int ItemIndex() const;
  // Chooses an entry without raising OnChange, as a change by the program.
  void SetItemIndex(int index);

  // The user chose another entry.
  std::function<void()> OnChange;
  std::function<void()> OnDblClick;
  // Returns true when the key was consumed.
  std::function<bool(WPARAM virtualKey)> OnKeyDown;

  void HandleCommand(WORD notification) override;
  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;
  void RescaleForDpi() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // One line of the font with a little room above and below.
  void FitItemHeight();
};

}  // namespace huemira
