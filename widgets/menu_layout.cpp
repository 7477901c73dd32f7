#include "widgets/menu_layout.h"

#include <algorithm>

namespace huemira {

namespace {

std::wstring Trimmed(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return L"";
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// Integer halves round to even, as the item's measurements do.
int HalfToEven(int twice) { return twice / 2 + (twice % 2 != 0 && (twice / 2) % 2 != 0 ? 1 : 0); }

}  // namespace

std::wstring MeasureText(const std::wstring& caption, const std::wstring& shortcut, bool separator) {
  std::wstring text = separator ? L"" : caption;
  if (!Trimmed(shortcut).empty()) text += shortcut + L"WWW";
  return text;
}

int MeasureItemWidth(int proposed, int textWidth, int ampersandWidth, int imageWidth, int iconWidth) {
  int width = textWidth + 5 - ampersandWidth;
  width += std::max(imageWidth, iconWidth);
  return std::max(proposed, width);
}

int MeasureItemHeight(int proposed, bool separator, int textHeight, int imageHeight) {
  if (separator) return kSeparatorHeight;
  // textHeight * 0.75, rounded with halves to even.
  const int quarter = 3 * textHeight;
  int threeQuarters = quarter / 4;
  const int remainder = quarter % 4;
  if (remainder > 2 || (remainder == 2 && threeQuarters % 2 != 0)) ++threeQuarters;
  const int height = std::max(textHeight + threeQuarters, imageHeight + 6);
  return std::max(proposed, height);
}

MenuItemGeometry LayoutMenuItem(const Rect& item, int iconWidth, int imageWidth, bool rightToLeft, bool flatMenu) {
  // Every fill reaches one pixel below the item.
  const int L = item.left, T = item.top, R = item.right, B = item.bottom + 1;
  MenuItemGeometry g{};
  g.iconColumn = rightToLeft ? Rect{R - iconWidth, T, R, B} : Rect{L, T, L + iconWidth, B};
  const Rect& ic = g.iconColumn;

  if (imageWidth > 0) {
    g.checkBox = Rect{ic.left + 1, ic.top + 2, ic.right - 3, ic.bottom - 2};
  } else {
    const int left = ic.left + (ic.Width() - 10) / 2;
    const int top = ic.top + (ic.Height() - 10) / 2;
    g.checkBox = Rect{left, top, left + 10, top + 10};
  }
  if (imageWidth > iconWidth) {
    if (rightToLeft) g.checkBox.left = g.checkBox.right - imageWidth;
    else g.checkBox.right = g.checkBox.left + imageWidth;
  }

  g.text = Rect{L, T, R, B};
  if (rightToLeft) {
    g.text.right = R - iconWidth;
    if (R - imageWidth < g.text.right) g.text.right = R - imageWidth - 8;
  } else {
    g.text.left = L + iconWidth;
    if (L + imageWidth > g.text.left) g.text.left = L + imageWidth + 4;
  }

  g.selection = Rect{L, T + 1, flatMenu ? R - 1 : R, B - 1};

  const int inset = imageWidth < iconWidth ? (iconWidth - imageWidth) / 2 - 1 : 2;
  g.icon = Point{rightToLeft ? ic.right - imageWidth - inset : ic.left + inset, T + 3};

  const int lineY = g.text.top + HalfToEven(g.text.Height());
  g.separatorFrom = Point{rightToLeft ? g.text.left : g.text.left + 7, lineY};
  g.separatorTo = Point{rightToLeft ? g.text.right - 7 : g.text.right, lineY};

  g.textX = rightToLeft ? g.text.right - 3 : g.text.left + 3;
  g.shortcutX = rightToLeft ? g.text.left + 10 : g.text.right - 10;
  return g;
}

int TextTop(const Rect& textBox, int letterHeight) { return textBox.top + (textBox.Height() - letterHeight) / 2; }

std::array<Rect, 4> SubmenuArrowColumns(const Rect& item, bool rightToLeft) {
  const int middle = item.top + item.Height() / 2;
  std::array<Rect, 4> columns{};
  for (int i = 0; i < 4; ++i) {
    const int halfHeight = 3 - i;  // 7, 5, 3 and 1 pixels from the base to the tip
    const int x = rightToLeft ? item.left + 10 - i : item.right - 11 + i;
    columns[static_cast<std::size_t>(i)] = Rect{x, middle - halfHeight, x + 1, middle + halfHeight + 1};
  }
  return columns;
}

}  // namespace huemira
