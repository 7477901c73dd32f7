#include "widgets/hint_layout.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

struct PlacementExample {
  Point pointer;
  ArrowPosition arrow;
  Rect bounds;
};

class HintPlacementExamples : public ::testing::TestWithParam<PlacementExample> {};

// A 1024 x 768 screen is halved at x 512 and y 384; the hint is 60 x 20.
TEST_P(HintPlacementExamples, ThePointersQuarterDecidesSideGapAndArrow) {
  const HintPlacement placement = PlaceHint(GetParam().pointer, 1024, 768, 60, 20);
  EXPECT_EQ(placement.arrow, GetParam().arrow);
  EXPECT_EQ(placement.bounds, GetParam().bounds);
}

INSTANTIATE_TEST_SUITE_P(
    QuarterBoundaries, HintPlacementExamples,
    ::testing::Values(
        // Top-left: 12 pixels right of and below the pointer.
        PlacementExample{{511, 383}, ArrowPosition::TopLeft, {523, 395, 583, 415}},
        PlacementExample{{0, 0}, ArrowPosition::TopLeft, {12, 12, 72, 32}},
        // On the vertical halving line: right half, 5 pixels left of the pointer and below it.
        PlacementExample{{512, 383}, ArrowPosition::TopRight, {447, 388, 507, 408}},
        // On the horizontal halving line: lower half, right of the pointer and above it.
        PlacementExample{{511, 384}, ArrowPosition::BottomLeft, {516, 359, 576, 379}},
        // On both halving lines: bottom-right.
        PlacementExample{{512, 384}, ArrowPosition::BottomRight, {447, 359, 507, 379}},
        PlacementExample{{1023, 767}, ArrowPosition::BottomRight, {958, 742, 1018, 762}}));

TEST(HintPlacement, AnOddScreenIsHalvedRoundingDown) {
  EXPECT_EQ(PlaceHint({511, 0}, 1023, 767, 10, 10).arrow, ArrowPosition::TopRight);
  EXPECT_EQ(PlaceHint({510, 383}, 1023, 767, 10, 10).arrow, ArrowPosition::BottomLeft);
}

TEST(HintLayout, TheStripLiesOnTheArrowsSideAndTheTextBesideIt) {
  const Rect client{0, 0, 100, 40};
  const HintFaces left = LayoutHint(client, ArrowPosition::TopLeft);
  EXPECT_EQ(left.strip, (Rect{1, 1, 15, 39}));
  EXPECT_EQ(left.text, (Rect{15, 1, 99, 39}));
  EXPECT_EQ(left.textInset, (Rect{18, 2, 96, 38}));
  EXPECT_EQ(left.anchor, (Point{3, 3}));
  EXPECT_EQ(LayoutHint(client, ArrowPosition::BottomLeft).anchor, (Point{3, 36}));

  const HintFaces right = LayoutHint(client, ArrowPosition::BottomRight);
  EXPECT_EQ(right.strip, (Rect{85, 1, 99, 39}));
  EXPECT_EQ(right.text, (Rect{1, 1, 85, 39}));
  EXPECT_EQ(right.textInset, (Rect{4, 2, 82, 38}));
  EXPECT_EQ(right.anchor, (Point{96, 36}));
  EXPECT_EQ(LayoutHint(client, ArrowPosition::TopRight).anchor, (Point{96, 3}));
}

TEST(HintLayout, TheArrowIsMirroredAwayFromThePointer) {
  const Point anchor{50, 50};
  const auto topLeft = ArrowPolyline(anchor, ArrowPosition::TopLeft);
  EXPECT_EQ(topLeft.front(), anchor);
  EXPECT_EQ(topLeft[4], (Point{56, 50}));
  EXPECT_EQ(topLeft[9], (Point{56, 57}));
  EXPECT_EQ(topLeft.back(), (Point{57, 56}));
  const auto topRight = ArrowPolyline(anchor, ArrowPosition::TopRight);
  const auto bottomRight = ArrowPolyline(anchor, ArrowPosition::BottomRight);
  const auto bottomLeft = ArrowPolyline(anchor, ArrowPosition::BottomLeft);
  for (std::size_t i = 0; i < topLeft.size(); ++i) {
    const int dx = topLeft[i].x - anchor.x, dy = topLeft[i].y - anchor.y;
    EXPECT_EQ(topRight[i], (Point{anchor.x - dx, anchor.y + dy})) << i;
    EXPECT_EQ(bottomRight[i], (Point{anchor.x - dx, anchor.y - dy})) << i;
    EXPECT_EQ(bottomLeft[i], (Point{anchor.x + dx, anchor.y - dy})) << i;
  }
}

}  // namespace
}  // namespace huemira
