// The styled menu item's measurements and geometry, free of the platform:
// what the text and image sizes make of an item's size, and where the icon
// column, check box, icon, text and separator line of an item lie, mirrored
// for right-to-left menus.
#pragma once

#include <array>
#include <string>

#include "framework/geometry.h"

namespace huemira {

inline constexpr int kSeparatorHeight = 4;

// The text an item is measured by: empty for a separator; a shortcut adds
// its text and room for a gap.
std::wstring MeasureText(const std::wstring& caption, const std::wstring& shortcut, bool separator);

// textWidth is the width of MeasureText, ampersandWidth that of "&" when
// the text holds one (the access-key mark takes no room), else 0.
// imageWidth is 0 for an item without an image.
int MeasureItemWidth(int proposed, int textWidth, int ampersandWidth, int imageWidth, int iconWidth);
int MeasureItemHeight(int proposed, bool separator, int textHeight, int imageHeight);

struct MenuItemGeometry {
  Rect iconColumn;
  Rect checkBox;
  Rect text;       // the text box; the text itself starts 3 pixels in
  Rect selection;  // the selection box, outline included
  Point icon;      // the icon's top-left corner, unselected
  Point separatorFrom;
  Point separatorTo;  // not drawn
  int textX;          // left edge of the text, or its right edge when right-to-left
  int shortcutX;      // right edge of the shortcut text, or its left edge when right-to-left
};

// item: the rectangle the menu gives the item. imageWidth: the width of the
// item's icon bitmap, 0 without one.
MenuItemGeometry LayoutMenuItem(const Rect& item, int iconWidth, int imageWidth, bool rightToLeft, bool flatMenu);

// The text's top in the text box: centred on the height of a "W".
int TextTop(const Rect& textBox, int letterHeight);

// An entry that opens a submenu is measured this much wider, so that its
// arrow never meets the text.
inline constexpr int kSubmenuArrowRoom = 12;

// The arrow of an entry that opens a submenu: four columns one pixel wide,
// 7, 5, 3 and 1 pixels high, centred on the item's height, pointing away
// from the text near the item's far edge.
std::array<Rect, 4> SubmenuArrowColumns(const Rect& item, bool rightToLeft);

}  // namespace huemira
