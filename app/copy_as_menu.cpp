#include "app/copy_as_menu.h"

#include <iterator>

#include "app/web_code.h"
#include "framework/system_color.h"
#include "framework/text.h"

namespace huemira {

namespace {

enum class CssForm { Hex, Rgb, Hsl, Oklch, NearestVariable };
// In the order of the entries.
constexpr CssForm kForms[] = {CssForm::Hex, CssForm::Rgb, CssForm::Hsl, CssForm::Oklch, CssForm::NearestVariable};
// What the variable entry shows when no reference entry is near.
constexpr wchar_t kNoVariable[] = L"var(--…)";

}  // namespace

CopyAsMenu::CopyAsMenu(std::function<TColor()> color, std::function<HexLetterCase()> letterCase)
    : color_(std::move(color)), letterCase_(std::move(letterCase)) {}

void CopyAsMenu::Fill(PopupMenu& submenu) {
  for (std::size_t entry = 0; entry < std::size(kForms); ++entry)
    submenu.AddItem(kNoVariable, [this, entry] {
      if (const std::wstring text = Text(entry); !text.empty()) CopyToClipboard(text);
    });
  submenu_ = &submenu;
  Refresh();
}

void CopyAsMenu::Refresh() {
  if (!submenu_) return;
  for (std::size_t entry = 0; entry < std::size(kForms); ++entry) {
    const std::wstring text = Text(entry);
    submenu_->Items(entry).Caption = text.empty() ? kNoVariable : text;
    submenu_->Items(entry).Enabled = !text.empty();
  }
}

std::wstring CopyAsMenu::Text(std::size_t entry) const {
  const TColor color = ColorToRGB(color_());
  switch (kForms[entry]) {
    case CssForm::Hex: return CssHexText(color, letterCase_());
    case CssForm::Rgb: return CssRgbText(color);
    case CssForm::Hsl: return CssHslText(color);
    case CssForm::Oklch: return CssOklchText(color);
    case CssForm::NearestVariable: {
      const std::optional<NearestToken> token = nearest_ ? nearest_(color) : std::nullopt;
      return token ? L"var(--" + Utf8ToWide(token->variable) + L")" : L"";
    }
  }
  return L"";
}

}  // namespace huemira
