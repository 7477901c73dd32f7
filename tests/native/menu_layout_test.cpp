#include "widgets/menu_layout.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

TEST(MenuMeasure, TheMeasuredTextDropsSeparatorsAndMakesRoomForShortcuts) {
  EXPECT_EQ(MeasureText(L"-", L"", true), L"");
  EXPECT_EQ(MeasureText(L"Copy", L"Ctrl+C", false), L"CopyCtrl+CWWW");
  EXPECT_EQ(MeasureText(L"Copy", L"  ", false), L"Copy");
}

TEST(MenuMeasure, WidthAddsTheIconColumnAndLeavesOutTheAccessKeyMark) {
  EXPECT_EQ(MeasureItemWidth(0, 50, 0, 16, 24), 50 + 5 + 24);
  EXPECT_EQ(MeasureItemWidth(0, 50, 6, 16, 24), 50 + 5 - 6 + 24);
  EXPECT_EQ(MeasureItemWidth(0, 50, 0, 30, 24), 50 + 5 + 30) << "a wider image widens the column";
  EXPECT_EQ(MeasureItemWidth(200, 50, 0, 0, 24), 200) << "never narrower than proposed";
}

TEST(MenuMeasure, HeightIsOneAndThreeQuarterLinesOrTheImagePlus6) {
  EXPECT_EQ(MeasureItemHeight(0, true, 13, 16), 4);
  EXPECT_EQ(MeasureItemHeight(30, true, 13, 16), 4) << "a separator is exactly 4 high";
  EXPECT_EQ(MeasureItemHeight(0, false, 13, 16), 23);  // 13 + 9.75
  EXPECT_EQ(MeasureItemHeight(0, false, 14, 0), 24);   // 14 + 10.5, half to even
  EXPECT_EQ(MeasureItemHeight(0, false, 10, 16), 22);  // 10 + 8 < 16 + 6
  EXPECT_EQ(MeasureItemHeight(40, false, 10, 16), 40);
}

TEST(MenuLayout, A16PixelIconInA24PixelColumn) {
  const MenuItemGeometry g = LayoutMenuItem({0, 10, 150, 32}, 24, 16, false, false);
  EXPECT_EQ(g.iconColumn, (Rect{0, 10, 24, 33}));
  EXPECT_EQ(g.icon, (Point{3, 13}));
  EXPECT_EQ(g.text, (Rect{24, 10, 150, 33}));
  EXPECT_EQ(g.textX, 27);
  EXPECT_EQ(g.selection, (Rect{0, 11, 150, 32}));
  EXPECT_EQ(g.checkBox, (Rect{1, 12, 21, 31}));
  EXPECT_EQ(g.shortcutX, 140);
  EXPECT_EQ(LayoutMenuItem({0, 10, 150, 32}, 24, 16, false, true).selection.right, 149);
}

TEST(MenuLayout, TheSeparatorLineLies2BelowTheTopFrom31In) {
  const MenuItemGeometry g = LayoutMenuItem({5, 40, 150, 44}, 24, 0, false, false);
  EXPECT_EQ(g.separatorFrom, (Point{36, 42}));
  EXPECT_EQ(g.separatorTo, (Point{150, 42}));
}

TEST(MenuLayout, RightToLeftMirrorsEveryHorizontalRule) {
  const MenuItemGeometry g = LayoutMenuItem({0, 0, 150, 22}, 24, 16, true, false);
  EXPECT_EQ(g.iconColumn, (Rect{126, 0, 150, 23}));
  EXPECT_EQ(g.icon, (Point{131, 3})) << "16 pixels ending 3 before the column's edge";
  EXPECT_EQ(g.text, (Rect{0, 0, 126, 23}));
  EXPECT_EQ(g.textX, 123);
  EXPECT_EQ(g.shortcutX, 10);
  const MenuItemGeometry line = LayoutMenuItem({0, 0, 150, 4}, 24, 0, true, false);
  EXPECT_EQ(line.separatorFrom.x, 0);
  EXPECT_EQ(line.separatorTo.x, 119);
}

TEST(MenuLayout, AnImageWiderThanTheColumnPushesTheTextAndWidensTheCheckBox) {
  const MenuItemGeometry g = LayoutMenuItem({0, 0, 150, 40}, 24, 30, false, false);
  EXPECT_EQ(g.text.left, 34);
  EXPECT_EQ(g.checkBox.right, g.checkBox.left + 30);
  EXPECT_EQ(g.icon.x, 2);
  const MenuItemGeometry mirrored = LayoutMenuItem({0, 0, 150, 40}, 24, 30, true, false);
  EXPECT_EQ(mirrored.text.right, 112);
  EXPECT_EQ(mirrored.checkBox.left, mirrored.checkBox.right - 30);
  EXPECT_EQ(mirrored.icon.x, 126 - 30 + 24 - 2);
}

TEST(MenuLayout, WithoutAnImageTheCheckBoxIsA10PixelSquareInTheColumn) {
  const MenuItemGeometry g = LayoutMenuItem({0, 0, 150, 21}, 24, 0, false, false);
  EXPECT_EQ(g.checkBox, (Rect{7, 6, 17, 16}));
}

TEST(MenuLayout, TheSubmenuArrowPointsAwayFromTheTextCentredOnTheEntry) {
  const auto arrow = SubmenuArrowColumns({0, 10, 150, 32}, false);
  EXPECT_EQ(arrow[0], (Rect{139, 18, 140, 25})) << "the base, 7 high around the middle row 21";
  EXPECT_EQ(arrow[3], (Rect{142, 21, 143, 22})) << "the tip, 8 from the right edge";
  const auto mirrored = SubmenuArrowColumns({0, 10, 150, 32}, true);
  EXPECT_EQ(mirrored[0], (Rect{10, 18, 11, 25}));
  EXPECT_EQ(mirrored[3], (Rect{7, 21, 8, 22}));
}

}  // namespace
}  // namespace huemira
