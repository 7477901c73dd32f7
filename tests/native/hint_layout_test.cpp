#include "widgets/hint_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

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
  const HintPlacement placement = PlaceHint(GetParam().pointer, Rect{0, 0, 1024, 768}, 60, 20);
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
  EXPECT_EQ(PlaceHint({511, 0}, Rect{0, 0, 1023, 767}, 10, 10).arrow, ArrowPosition::TopRight);
  EXPECT_EQ(PlaceHint({510, 383}, Rect{0, 0, 1023, 767}, 10, 10).arrow, ArrowPosition::BottomLeft);
}

TEST(HintPlacement, AMonitorLeftOfThePrimaryIsQuarteredOnItsOwn) {
  const Rect left{-640, 0, 0, 480};
  EXPECT_EQ(PlaceHint({-321, 239}, left, 60, 20).bounds, (Rect{-309, 251, -249, 271}));
  EXPECT_EQ(PlaceHint({-320, 240}, left, 60, 20).bounds, (Rect{-385, 215, -325, 235}));
}

TEST(HintPlacement, GapsGrowWithTheMonitorsResolution) {
  const HintMetrics at144(144);
  EXPECT_EQ(PlaceHint({0, 0}, Rect{0, 0, 1536, 1152}, 90, 30, at144).bounds, (Rect{18, 18, 108, 48}));
  EXPECT_EQ(PlaceHint({1535, 1151}, Rect{0, 0, 1536, 1152}, 90, 30, at144).bounds,
            (Rect{1437, 1113, 1527, 1143}));
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

TEST(HintLayout, AtHigherResolutionsTheFacesScaleAndTheArrowStaysCentred) {
  const HintMetrics at144(144);
  const HintFaces left = LayoutHint(Rect{0, 0, 150, 60}, ArrowPosition::TopLeft, at144);
  EXPECT_EQ(left.strip, (Rect{1, 1, 22, 59}));
  EXPECT_EQ(left.textInset, (Rect{27, 3, 144, 57}));
  // An 8-pixel arrow in a 21-pixel strip: 6 pixels before it, 7 after.
  EXPECT_EQ(left.anchor, (Point{7, 7}));

  const HintMetrics at192(192);
  EXPECT_EQ(at192.arrowScale, 2);
  const HintFaces right = LayoutHint(Rect{0, 0, 200, 80}, ArrowPosition::BottomRight, at192);
  EXPECT_EQ(right.strip, (Rect{171, 1, 199, 79}));
  const auto arrow = ArrowPolyline(right.anchor, ArrowPosition::BottomRight, at192);
  int minX = arrow[0].x, maxX = arrow[0].x;
  for (const Point& p : arrow) minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
  EXPECT_EQ(maxX - minX, 14);
  EXPECT_EQ(minX - right.strip.left, 7);
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
