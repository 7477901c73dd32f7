#include "app/hotkey_text.h"

#include <cwctype>
#include <string>

namespace huemira {

namespace {

constexpr unsigned kF1 = 0x70;
constexpr unsigned kF24 = 0x87;

struct ModifierName {
  unsigned bit;
  std::wstring_view name;
};
constexpr ModifierName kModifiers[] = {
    {Hotkey::kControl, L"Ctrl"}, {Hotkey::kAlt, L"Alt"}, {Hotkey::kShift, L"Shift"}, {Hotkey::kWin, L"Win"}};

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
  while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
  return text;
}

bool SameLetters(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towupper(a[i]) != std::towupper(b[i])) return false;
  return true;
}

std::optional<unsigned> KeyFromName(std::wstring_view name) {
  if (name.size() == 1) {
    const wchar_t c = static_cast<wchar_t>(std::towupper(name[0]));
    if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) return static_cast<unsigned>(c);
    return std::nullopt;
  }
  if (name.size() < 2 || std::towupper(name[0]) != L'F') return std::nullopt;
  unsigned number = 0;
  for (const wchar_t digit : name.substr(1)) {
    if (digit < L'0' || digit > L'9' || number > 24) return std::nullopt;
    number = number * 10 + static_cast<unsigned>(digit - L'0');
  }
  if (number < 1 || kF1 + number - 1 > kF24) return std::nullopt;
  return kF1 + number - 1;
}

}  // namespace

std::optional<Hotkey> ParseHotkey(std::wstring_view text) {
  Hotkey hotkey;
  while (true) {
    const std::size_t plus = text.find(L'+');
    const std::wstring_view piece = Trimmed(text.substr(0, plus));
    if (plus == std::wstring_view::npos) {
      const auto key = KeyFromName(piece);
      if (!key) return std::nullopt;
      hotkey.key = *key;
      break;
    }
    bool known = false;
    for (const auto& modifier : kModifiers) {
      if (!SameLetters(piece, modifier.name)) continue;
      if (hotkey.modifiers & modifier.bit) return std::nullopt;
      hotkey.modifiers |= modifier.bit;
      known = true;
    }
    if (!known) return std::nullopt;
    text.remove_prefix(plus + 1);
  }
  if ((hotkey.modifiers & ~Hotkey::kShift) == 0) return std::nullopt;
  return hotkey;
}

std::wstring HotkeyText(const Hotkey& hotkey) {
  std::wstring text;
  for (const auto& modifier : kModifiers)
    if (hotkey.modifiers & modifier.bit) text.append(modifier.name).push_back(L'+');
  if (hotkey.key >= kF1 && hotkey.key <= kF24) return text + L"F" + std::to_wstring(hotkey.key - kF1 + 1);
  text.push_back(static_cast<wchar_t>(hotkey.key));
  return text;
}

}  // namespace huemira
