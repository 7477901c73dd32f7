// A global hotkey: modifiers and a key, as RegisterHotKey takes them.
#pragma once

namespace huemira {

struct Hotkey {
  // The modifier bits of RegisterHotKey (the values are the platform's).
  static constexpr unsigned kAlt = 0x1, kControl = 0x2, kShift = 0x4, kWin = 0x8;

  unsigned modifiers = 0;
  // A virtual-key code: 'A'..'Z', '0'..'9' or F1..F24 (0x70..0x87).
  unsigned key = 0;

  bool operator==(const Hotkey&) const = default;
};

}  // namespace huemira
