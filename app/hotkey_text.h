// Global hotkeys as the settings file spells them: "Ctrl+Alt+C", "Ctrl+B",
// "Shift+F9". Modifiers come first, in the order Ctrl, Alt, Shift, Win.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/hotkey.h"

namespace huemira {

inline constexpr Hotkey kDefaultShowHideHotkey{Hotkey::kControl, 'B'};
inline constexpr Hotkey kDefaultPickHotkey{Hotkey::kControl | Hotkey::kAlt, 'C'};

// Case and blanks around the pieces do not matter. A key with no modifier
// but Shift, or none at all, would take a key from typing: such texts, and
// any key a Hotkey does not name, give nothing.
std::optional<Hotkey> ParseHotkey(std::wstring_view text);
std::wstring HotkeyText(const Hotkey& hotkey);

}  // namespace huemira
