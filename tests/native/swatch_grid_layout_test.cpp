#include "app/swatch_grid_layout.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

using Move = SwatchGridLayout::Move;

// 10 tiles of 100 x 30 in a view 350 wide: three columns, four rows.
const SwatchGridLayout kTen(10, 100, 30, 350);

TEST(SwatchGridLayout, ColumnsAreTheWholeTilesThatFitAndNeverNone) {
  EXPECT_EQ(kTen.Columns(), 3);
  EXPECT_EQ(kTen.ContentHeight(), 120);
  EXPECT_EQ(kTen.MaxScroll(100), 20);
  EXPECT_EQ(kTen.MaxScroll(500), 0);
  EXPECT_EQ(SwatchGridLayout(10, 100, 30, 40).Columns(), 1);
  EXPECT_EQ(SwatchGridLayout(0, 100, 30, 350).ContentHeight(), 0);
}

TEST(SwatchGridLayout, APointHitsTheTileUnderItInTheScrolledContent) {
  EXPECT_EQ(kTen.IndexAt(0, 0, 0), 0u);
  EXPECT_EQ(kTen.IndexAt(250, 35, 0), 5u);
  EXPECT_EQ(kTen.IndexAt(150, 5, 30), 4u) << "scrolled by one row";
  EXPECT_EQ(kTen.IndexAt(5, 95, 0), 9u);
  EXPECT_EQ(kTen.IndexAt(105, 95, 0), std::nullopt) << "past the last tile of the last row";
  EXPECT_EQ(kTen.IndexAt(320, 5, 0), std::nullopt) << "right of the last column";
  EXPECT_EQ(kTen.IndexAt(-1, 5, 0), std::nullopt);
}

TEST(SwatchGridLayout, ABandShowsTheRowsItTouchesOnly) {
  EXPECT_EQ(kTen.TilesIn(0, 30).first, 0u);
  EXPECT_EQ(kTen.TilesIn(0, 30).end, 3u);
  EXPECT_EQ(kTen.TilesIn(29, 31).first, 0u);
  EXPECT_EQ(kTen.TilesIn(29, 31).end, 6u);
  EXPECT_EQ(kTen.TilesIn(60, 1000).first, 6u);
  EXPECT_EQ(kTen.TilesIn(60, 1000).end, 10u);
  EXPECT_EQ(kTen.TilesIn(50, 50).end, 0u) << "an empty band";
  // 10,000 tiles: a view's band covers a few rows, not the whole palette.
  const SwatchGridLayout large(10000, 100, 30, 350);
  const auto band = large.TilesIn(30000, 30300);
  EXPECT_EQ(band.first, 3000u);
  EXPECT_EQ(band.end - band.first, 30u);
}

TEST(SwatchGridLayout, ScrollingToATileMovesAsLittleAsNeeded) {
  EXPECT_EQ(kTen.ScrollToShow(4, 0, 50), 10) << "row 1 ends at 60";
  EXPECT_EQ(kTen.ScrollToShow(0, 40, 50), 0);
  EXPECT_EQ(kTen.ScrollToShow(4, 35, 50), 30);
  EXPECT_EQ(kTen.ScrollToShow(4, 20, 50), 20) << "already whole in view";
}

TEST(SwatchGridLayout, KeysMoveWithinTheTilesAndStopAtTheEnds) {
  EXPECT_EQ(kTen.Moved(0, Move::Left, 90), 0u);
  EXPECT_EQ(kTen.Moved(3, Move::Left, 90), 2u) << "to the end of the row above";
  EXPECT_EQ(kTen.Moved(9, Move::Right, 90), 9u);
  EXPECT_EQ(kTen.Moved(1, Move::Up, 90), 1u);
  EXPECT_EQ(kTen.Moved(4, Move::Up, 90), 1u);
  EXPECT_EQ(kTen.Moved(7, Move::Down, 90), 7u) << "no tile below";
  EXPECT_EQ(kTen.Moved(6, Move::Down, 90), 9u);
  EXPECT_EQ(kTen.Moved(1, Move::PageDown, 60), 7u) << "two rows a page";
  EXPECT_EQ(kTen.Moved(5, Move::PageDown, 60), 9u) << "the last row, as near the column as it reaches";
  EXPECT_EQ(kTen.Moved(8, Move::PageUp, 60), 2u);
  EXPECT_EQ(kTen.Moved(4, Move::PageUp, 60), 1u);
  EXPECT_EQ(kTen.Moved(4, Move::Home, 60), 0u);
  EXPECT_EQ(kTen.Moved(4, Move::End, 60), 9u);
}

}  // namespace
}  // namespace huemira
