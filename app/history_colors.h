// The 88 history colours, newest first. Slot n (1..88) is mirrored by the
// swatch of that number: slots 1-8 on the main window, 9-88 on the history
// window, each window listening to the changes of its slots.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "color/web_color.h"

namespace huemira {

class HistoryColors {
 public:
  static constexpr int kSlots = 88;
  static constexpr int kMainWindowSlots = 8;

  using Colors = std::array<TColor, kSlots>;

  HistoryColors();

  const Colors& All() const { return colors_; }
  TColor Slot(int slot) const { return colors_.at(static_cast<std::size_t>(slot - 1)); }
  void SetSlot(int slot, TColor color);
  // Moves every colour one slot further (the last drops out) and puts color
  // into slot 1. No duplicate test: the callers decide.
  void Push(TColor color);

  // "HC1".."HC88".
  static std::wstring Key(int slot);
  // The stored text used when a key is missing or empty.
  static std::wstring DefaultCode(int slot);

  // The colour a stored value gives slot: the slot's default when the value
  // is empty or no code, so that one damaged value costs only its own slot.
  static TColor StoredColor(int slot, const std::wstring& value);
  // Loads slots first..last from read(key), in order.
  void Load(int first, int last, const std::function<std::wstring(const std::wstring& key)>& read);

  // Each window mirrors its slots through a listener.
  void AddListener(std::function<void(int slot)> listener) { listeners_.push_back(std::move(listener)); }

 private:
  Colors colors_{};
  std::vector<std::function<void(int slot)>> listeners_;
};

}  // namespace huemira
