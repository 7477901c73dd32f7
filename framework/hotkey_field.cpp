#include "framework/hotkey_field.h"

#include <commctrl.h>

namespace huemira {

namespace {

// The field's modifier bits differ from RegisterHotKey's.
constexpr struct {
  unsigned field, hotkey;
} kModifierBits[] = {{HOTKEYF_ALT, Hotkey::kAlt}, {HOTKEYF_CONTROL, Hotkey::kControl}, {HOTKEYF_SHIFT, Hotkey::kShift}};

}  // namespace

void HotkeyField::Create(Form& parent, const Args& args) {
  CreateControl(parent, {HOTKEY_CLASSW, L"", WS_TABSTOP | WS_BORDER, 0, args.bounds, args.hint});
  SendMessageW(Handle(), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, HOTKEYF_CONTROL | HOTKEYF_ALT);
}

std::optional<Hotkey> HotkeyField::Value() const {
  const auto value = static_cast<WORD>(SendMessageW(Handle(), HKM_GETHOTKEY, 0, 0));
  if (LOBYTE(value) == 0) return std::nullopt;
  Hotkey hotkey{.key = LOBYTE(value)};
  for (const auto& bits : kModifierBits)
    if (HIBYTE(value) & bits.field) hotkey.modifiers |= bits.hotkey;
  return hotkey;
}

void HotkeyField::SetValue(const Hotkey& hotkey) const {
  BYTE modifiers = 0;
  for (const auto& bits : kModifierBits)
    if (hotkey.modifiers & bits.hotkey) modifiers |= static_cast<BYTE>(bits.field);
  SendMessageW(Handle(), HKM_SETHOTKEY, MAKEWORD(hotkey.key, modifiers), 0);
}

}  // namespace huemira
