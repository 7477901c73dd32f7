// Points and rectangles of portable layout code, in pixels. A rectangle
// holds its left and top edges and excludes its right and bottom ones, as
// the platform's rectangles do.
#pragma once

namespace huemira {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point& other) const { return x == other.x && y == other.y; }
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

}  // namespace huemira
