// The history window: the 80 older history colours (slots 9..88) in a
// 10 x 8 grid. Created hidden at start-up; ">>" shows it modally.
#pragma once

#include <array>
#include <functional>

#include "app/history_colors.h"
#include "framework/form.h"
#include "widgets/flat_button.h"

namespace huemira {

class TForm_HistoryColor : public Form {
 public:
  static constexpr int kFirstSlot = HistoryColors::kMainWindowSlots + 1;

  explicit TForm_HistoryColor(HistoryColors& history);
  // Creates the window hidden and loads slots 9..88 from the settings file.
  void Create();

  TFlatButton& Swatch(int slot) { return FlatButton_HC[static_cast<std::size_t>(slot - kFirstSlot)]; }

  // A click on a swatch: the main window decides what it does.
  std::function<void(int slot)> OnSwatchClick;

  std::array<TFlatButton, HistoryColors::kSlots - HistoryColors::kMainWindowSlots> FlatButton_HC;

 private:
  void FormCreate();

  HistoryColors& history_;
};

// All six colours of a history swatch hold its slot colour, so it paints as
// a plain square whether idle, hovered, pressed or focused.
void SetSwatchColor(TFlatButton& swatch, COLORREF color);

}  // namespace huemira
