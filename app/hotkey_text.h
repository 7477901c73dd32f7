// Global hotkeys as the settings file spells them: "Ctrl+Alt+C", "Ctrl+B",
// "Shift+F9". Modifiers come first, in the order Ctrl, Alt, Shift, Win.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace huemira {

struct Hotkey {
  // The modifier bits of RegisterHotKey (the values are the platform's).
  static constexpr unsigned kAlt = 0x1, kControl = 0x2, kShift = 0x4, kWin = 0x8;

  unsigned modifiers = 0;
  // A virtual-key code: 'A'..'Z', '0'..'9' or F1..F24 (0x70..0x87).
  unsigned key = 0;

  bool operator==(const Hotkey&) const = default;
};

inline constexpr Hotkey kDefaultShowHideHotkey{Hotkey::kControl, 'B'};
inline constexpr Hotkey kDefaultPickHotkey{Hotkey::kControl | Hotkey::kAlt, 'C'};

// Case and blanks around the pieces do not matter. A key with no modifier
// but Shift, or none at all, would take a key from typing: such texts, and
// any key outside the list above, give nothing.
std::optional<Hotkey> ParseHotkey(std::wstring_view text);
std::wstring HotkeyText(const Hotkey& hotkey);

}  // namespace huemira
