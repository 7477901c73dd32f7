#include "app/history_colors.h"

#include "framework/exception.h"

namespace huemira {

HistoryColors::HistoryColors() {
  for (int slot = 1; slot <= kSlots; ++slot) colors_[static_cast<std::size_t>(slot - 1)] = WebCodeToColor(DefaultCode(slot));
}

void HistoryColors::SetSlot(int slot, TColor color) {
  colors_.at(static_cast<std::size_t>(slot - 1)) = color;
  for (const auto& listener : listeners_) listener(slot);
}

void HistoryColors::Push(TColor color) {
  for (int slot = kSlots; slot >= 2; --slot) SetSlot(slot, Slot(slot - 1));
  SetSlot(1, color);
}

std::wstring HistoryColors::Key(int slot) { return L"HC" + std::to_wstring(slot); }

std::wstring HistoryColors::DefaultCode(int slot) {
  static const wchar_t* const kMainWindowDefaults[kMainWindowSlots] = {
      L"FF5858", L"FFFF80", L"80FF80", L"80FFFF", L"0080FF", L"FF8040", L"8000FF", L"008040"};
  return slot <= kMainWindowSlots ? kMainWindowDefaults[slot - 1] : L"FF5858";
}

TColor HistoryColors::StoredColor(int slot, const std::wstring& value) {
  try {
    if (!value.empty()) return WebCodeToColor(value);
  } catch (const EConvertError&) {
  }
  return WebCodeToColor(DefaultCode(slot));
}

void HistoryColors::Load(int first, int last, const std::function<std::wstring(const std::wstring& key)>& read) {
  for (int slot = first; slot <= last; ++slot) SetSlot(slot, StoredColor(slot, read(Key(slot))));
}

}  // namespace huemira
