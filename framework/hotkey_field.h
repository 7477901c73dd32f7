// The system's hotkey field: the user presses a key combination and the
// field shows it ("Ctrl + Alt + C"). A combination without Ctrl or Alt is
// turned into one with both, so the field never holds a key of plain typing.
#pragma once

#include <optional>

#include "framework/control.h"
#include "framework/hotkey.h"

namespace huemira {

class HotkeyField : public Control {
 public:
  struct Args {
    RECT bounds{};
    std::wstring hint;
  };
  void Create(Form& parent, const Args& args);

  // None while the field is empty.
  std::optional<Hotkey> Value() const;
  void SetValue(const Hotkey& hotkey) const;
};

}  // namespace huemira
