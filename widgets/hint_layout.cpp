#include "widgets/hint_layout.h"

namespace huemira {

namespace {
constexpr int kNearGap = 12;
constexpr int kFarGap = 5;
}  // namespace

HintPlacement PlaceHint(Point pointer, int screenWidth, int screenHeight, int width, int height) {
  const bool left = pointer.x < screenWidth / 2;
  const bool top = pointer.y < screenHeight / 2;
  const int gap = left && top ? kNearGap : kFarGap;
  const int x = left ? pointer.x + gap : pointer.x - width - gap;
  const int y = top ? pointer.y + gap : pointer.y - height - gap;
  ArrowPosition arrow = ArrowPosition::BottomRight;
  if (left && top) arrow = ArrowPosition::TopLeft;
  else if (top) arrow = ArrowPosition::TopRight;
  else if (left) arrow = ArrowPosition::BottomLeft;
  return {Rect{x, y, x + width, y + height}, arrow};
}

HintFaces LayoutHint(const Rect& c, ArrowPosition arrow) {
  const bool stripLeft = arrow == ArrowPosition::TopLeft || arrow == ArrowPosition::BottomLeft;
  HintFaces faces;
  if (stripLeft) {
    faces.strip = Rect{c.left + 1, c.top + 1, c.left + 1 + kHintStripWidth, c.bottom - 1};
    faces.text = Rect{c.left + 1 + kHintStripWidth, c.top + 1, c.right - 1, c.bottom - 1};
  } else {
    faces.strip = Rect{c.right - 1 - kHintStripWidth, c.top + 1, c.right - 1, c.bottom - 1};
    faces.text = Rect{c.left + 1, c.top + 1, c.right - 1 - kHintStripWidth, c.bottom - 1};
  }
  faces.textInset = Rect{faces.text.left + 3, faces.text.top + 1, faces.text.right - 3, faces.text.bottom - 1};
  const Rect& s = faces.strip;
  switch (arrow) {
    case ArrowPosition::TopRight: faces.anchor = Point{s.right - 3, s.top + 2}; break;
    case ArrowPosition::TopLeft: faces.anchor = Point{s.left + 2, s.top + 2}; break;
    case ArrowPosition::BottomRight: faces.anchor = Point{s.right - 3, s.bottom - 3}; break;
    case ArrowPosition::BottomLeft: faces.anchor = Point{s.left + 2, s.bottom - 3}; break;
  }
  return faces;
}

std::array<Point, 18> ArrowPolyline(Point anchor, ArrowPosition arrow) {
  // The top-left arrow; the others are its mirror images.
  static constexpr Point kOffsets[18] = {{0, 0}, {0, 6}, {1, 6}, {1, 0}, {6, 0}, {6, 1}, {2, 1}, {2, 4}, {5, 7},
                                         {6, 7}, {3, 4}, {3, 3}, {6, 6}, {7, 6}, {3, 2}, {4, 2}, {7, 5}, {7, 6}};
  const int sx = arrow == ArrowPosition::TopRight || arrow == ArrowPosition::BottomRight ? -1 : 1;
  const int sy = arrow == ArrowPosition::BottomRight || arrow == ArrowPosition::BottomLeft ? -1 : 1;
  std::array<Point, 18> points;
  for (std::size_t i = 0; i < points.size(); ++i)
    points[i] = Point{anchor.x + sx * kOffsets[i].x, anchor.y + sy * kOffsets[i].y};
  return points;
}

}  // namespace huemira
