// Where the tiles of a scrolled grid of swatches lie: which tile a point
// hits, which tiles a band of the view shows, how far to scroll to show
// one, and where the arrow keys lead. Pixels; the view scrolls vertically,
// by whole pixels, from 0 at the top.
#pragma once

#include <cstddef>
#include <optional>

namespace huemira {

class SwatchGridLayout {
 public:
  // columns: as many tiles of that width as fit in viewWidth, at least one.
  SwatchGridLayout(std::size_t count, int tileWidth, int tileHeight, int viewWidth);

  std::size_t Count() const { return count_; }
  int Columns() const { return columns_; }
  int TileWidth() const { return tileWidth_; }
  int TileHeight() const { return tileHeight_; }
  // The height of every row together.
  int ContentHeight() const;
  // The furthest the view scrolls when it is viewHeight high.
  int MaxScroll(int viewHeight) const;

  // The tile under a point of the view, scrolled by scroll.
  std::optional<std::size_t> IndexAt(int x, int y, int scroll) const;
  // The top of the tile's row and its left edge, in the content.
  int TileTop(std::size_t index) const;
  int TileLeft(std::size_t index) const;
  // The first tile and one past the last of the rows that a band of the
  // content, top to bottom, touches.
  struct Range {
    std::size_t first = 0;
    std::size_t end = 0;
  };
  Range TilesIn(int top, int bottom) const;
  // The scroll position nearest to scroll that shows the whole tile.
  int ScrollToShow(std::size_t index, int scroll, int viewHeight) const;

  enum class Move { Left, Right, Up, Down, PageUp, PageDown, Home, End };
  // Where a key leads from the tile at index: stopped at the ends, a page
  // being as many whole rows as the view shows.
  std::size_t Moved(std::size_t index, Move move, int viewHeight) const;

 private:
  std::size_t Rows() const;

  std::size_t count_;
  int tileWidth_;
  int tileHeight_;
  int columns_;
};

}  // namespace huemira
