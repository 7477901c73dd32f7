#include "app/window_place.h"

#include <gtest/gtest.h>

#include <climits>

namespace huemira {
namespace {

// A primary monitor and one left of it, at negative coordinates, each with
// a taskbar 40 high.
const std::vector<Rect> kTwoMonitors{{0, 0, 1024, 728}, {-1280, 0, 0, 984}};

TEST(WindowPlace, AStoredPlaceStaysWhileItsCaptionCanBeGrabbed) {
  const Point fallback{500, 300};
  const Rect primary = kTwoMonitors[0];
  EXPECT_EQ(RestoredPlace(Point{100, 50}, 250, 300, 20, kTwoMonitors, fallback, primary), (Point{100, 50}));
  EXPECT_EQ(RestoredPlace(Point{-900, 600}, 250, 300, 20, kTwoMonitors, fallback, primary), (Point{-900, 600}))
      << "on the left monitor, hanging below its bottom";
  EXPECT_EQ(RestoredPlace(Point{984, 700}, 250, 300, 20, kTwoMonitors, fallback, primary), (Point{984, 700}))
      << "40 of the caption's width and its whole height still show";
  EXPECT_EQ(RestoredPlace(Point{-20, 10}, 250, 300, 20, kTwoMonitors, fallback, primary), (Point{-20, 10}))
      << "across the two monitors";
}

TEST(WindowPlace, APlaceOffEveryMonitorGoesBackToTheFallbackInsideItsArea) {
  const Rect primary = kTwoMonitors[0];
  const Point fallback{900, 600};  // would hang over the right and bottom edges
  const Point inside{1024 - 250, 728 - 300};
  EXPECT_EQ(RestoredPlace(std::nullopt, 250, 300, 20, kTwoMonitors, fallback, primary), inside);
  EXPECT_EQ(RestoredPlace(Point{-3000, 50}, 250, 300, 20, kTwoMonitors, fallback, primary), inside)
      << "a monitor that is gone";
  EXPECT_EQ(RestoredPlace(Point{990, 50}, 250, 300, 20, kTwoMonitors, fallback, primary), inside)
      << "only 34 of the caption's width show";
  EXPECT_EQ(RestoredPlace(Point{100, 715}, 250, 300, 20, kTwoMonitors, fallback, primary), inside)
      << "the caption half under the taskbar";
  EXPECT_EQ(RestoredPlace(Point{100, -5}, 250, 300, 20, kTwoMonitors, fallback, primary), inside)
      << "the caption's top above the screen";
  EXPECT_EQ(RestoredPlace(Point{100, 50}, 250, 300, 20, {}, Point{-50, -60}, primary), (Point{0, 0}))
      << "no monitor reported";
  for (const Point edited : {Point{100, INT_MAX}, Point{INT_MAX, 50}, Point{INT_MIN, INT_MIN}})
    EXPECT_EQ(RestoredPlace(edited, 250, 300, 20, kTwoMonitors, fallback, primary), inside)
        << "a stored corner whose window edges would overflow: " << edited.x << ", " << edited.y;
}

TEST(WindowPlace, MovingIntoASmallerAreaKeepsTheTopLeftCornerInside) {
  EXPECT_EQ(MovedInto(Rect{50, 50, 450, 350}, Rect{0, 0, 300, 200}), (Rect{0, 0, 400, 300}));
  EXPECT_EQ(MovedInto(Rect{-500, 10, -300, 60}, Rect{-1280, 0, 0, 984}), (Rect{-500, 10, -300, 60}));
}

}  // namespace
}  // namespace huemira
