#include "app/copy_as_menu.h"

#include <iterator>

#include "app/web_code.h"
#include "framework/system_color.h"

namespace huemira {

namespace {

enum class CssForm { Hex, Rgb, Hsl, Oklch };
// In the order of the entries.
constexpr CssForm kForms[] = {CssForm::Hex, CssForm::Rgb, CssForm::Hsl, CssForm::Oklch};

}  // namespace

CopyAsMenu::CopyAsMenu(std::function<TColor()> color, std::function<HexLetterCase()> letterCase)
    : color_(std::move(color)), letterCase_(std::move(letterCase)) {}

void CopyAsMenu::Fill(PopupMenu& submenu) {
  submenu_ = &submenu;
  for (std::size_t entry = 0; entry < std::size(kForms); ++entry)
    submenu.AddItem(Text(entry), [this, entry] { CopyToClipboard(Text(entry)); });
}

void CopyAsMenu::Refresh() {
  if (!submenu_) return;
  for (std::size_t entry = 0; entry < std::size(kForms); ++entry) submenu_->Items(entry).Caption = Text(entry);
}

std::wstring CopyAsMenu::Text(std::size_t entry) const {
  const TColor color = ColorToRGB(color_());
  switch (kForms[entry]) {
    case CssForm::Hex: return CssHexText(color, letterCase_());
    case CssForm::Rgb: return CssRgbText(color);
    case CssForm::Hsl: return CssHslText(color);
    case CssForm::Oklch: return CssOklchText(color);
  }
  return L"";
}

}  // namespace huemira
