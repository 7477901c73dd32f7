#include "app/swatch_grid_layout.h"

#include <algorithm>

namespace huemira {

SwatchGridLayout::SwatchGridLayout(std::size_t count, int tileWidth, int tileHeight, int viewWidth)
    : count_(count),
      tileWidth_(std::max(tileWidth, 1)),
      tileHeight_(std::max(tileHeight, 1)),
      columns_(std::max(viewWidth / std::max(tileWidth, 1), 1)) {}

std::size_t SwatchGridLayout::Rows() const {
  const auto columns = static_cast<std::size_t>(columns_);
  return (count_ + columns - 1) / columns;
}

int SwatchGridLayout::ContentHeight() const { return static_cast<int>(Rows()) * tileHeight_; }

int SwatchGridLayout::MaxScroll(int viewHeight) const { return std::max(ContentHeight() - viewHeight, 0); }

std::optional<std::size_t> SwatchGridLayout::IndexAt(int x, int y, int scroll) const {
  const int contentY = y + scroll;
  if (x < 0 || contentY < 0) return std::nullopt;
  const int column = x / tileWidth_;
  if (column >= columns_) return std::nullopt;
  const std::size_t index = static_cast<std::size_t>(contentY / tileHeight_) * static_cast<std::size_t>(columns_) +
                            static_cast<std::size_t>(column);
  if (index >= count_) return std::nullopt;
  return index;
}

int SwatchGridLayout::TileTop(std::size_t index) const {
  return static_cast<int>(index / static_cast<std::size_t>(columns_)) * tileHeight_;
}

int SwatchGridLayout::TileLeft(std::size_t index) const {
  return static_cast<int>(index % static_cast<std::size_t>(columns_)) * tileWidth_;
}

SwatchGridLayout::Range SwatchGridLayout::TilesIn(int top, int bottom) const {
  if (bottom <= top || bottom <= 0) return {};
  const auto columns = static_cast<std::size_t>(columns_);
  const auto firstRow = static_cast<std::size_t>(std::max(top, 0) / tileHeight_);
  const auto endRow = static_cast<std::size_t>((bottom - 1) / tileHeight_) + 1;
  return {std::min(firstRow * columns, count_), std::min(endRow * columns, count_)};
}

int SwatchGridLayout::ScrollToShow(std::size_t index, int scroll, int viewHeight) const {
  const int top = TileTop(index);
  if (top < scroll) return top;
  if (top + tileHeight_ > scroll + viewHeight) return std::max(top + tileHeight_ - viewHeight, 0);
  return scroll;
}

std::size_t SwatchGridLayout::Moved(std::size_t index, Move move, int viewHeight) const {
  if (count_ == 0) return 0;
  const auto columns = static_cast<std::size_t>(columns_);
  const auto pageRows = static_cast<std::size_t>(std::max(viewHeight / tileHeight_, 1));
  const std::size_t last = count_ - 1;
  index = std::min(index, last);
  switch (move) {
    case Move::Left: return index > 0 ? index - 1 : 0;
    case Move::Right: return std::min(index + 1, last);
    case Move::Up: return index >= columns ? index - columns : index;
    case Move::Down: return index + columns <= last ? index + columns : index;
    case Move::PageUp: return index >= pageRows * columns ? index - pageRows * columns : index % columns;
    case Move::PageDown: {
      const std::size_t target = index + pageRows * columns;
      if (target <= last) return target;
      // The last row, in the same column where it reaches that far.
      const std::size_t lastRowStart = last - last % columns;
      return std::min(lastRowStart + index % columns, last);
    }
    case Move::Home: return 0;
    case Move::End: return last;
  }
  return index;
}

}  // namespace huemira
