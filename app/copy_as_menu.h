// The swatch menu's "复制为" (copy as) submenu: one entry per CSS form of
// the current colour, each showing the very text it puts on the clipboard,
// and last the reference palette's nearest entry as a CSS variable
// ("var(--coral)"), greyed when there is none. The code box is left as it is.
#pragma once

#include <functional>
#include <optional>

#include "app/palette_library.h"
#include "color/css_color_text.h"
#include "framework/popup_menu.h"

namespace huemira {

class CopyAsMenu {
 public:
  // color and letterCase are asked when the entries are refreshed and when
  // one is chosen; the colour may be a system colour.
  CopyAsMenu(std::function<TColor()> color, std::function<HexLetterCase()> letterCase);
  CopyAsMenu(const CopyAsMenu&) = delete;
  CopyAsMenu& operator=(const CopyAsMenu&) = delete;

  // Adds the submenu's entries: "#12ab34", "rgb(…)", "hsl(…)", "oklch(…)",
  // "var(--…)".
  void Fill(PopupMenu& submenu);
  // Where the variable entry finds the nearest entry of a colour.
  void SetNearestToken(std::function<std::optional<NearestToken>(TColor color)> nearest) {
    nearest_ = std::move(nearest);
  }
  // Writes the present colour's texts into the entries; before each popup.
  void Refresh();

 private:
  // The text of the form of the submenu's entry at that position.
  std::wstring Text(std::size_t entry) const;

  std::function<TColor()> color_;
  std::function<HexLetterCase()> letterCase_;
  std::function<std::optional<NearestToken>(TColor color)> nearest_;
  PopupMenu* submenu_ = nullptr;
};

}  // namespace huemira
