#include "widgets/hint_layout.h"

#include <algorithm>

namespace huemira {

HintMetrics::HintMetrics(int dpi) {
  const DpiScale scale{dpi};
  stripWidth = scale(14);
  extraWidth = scale(22);
  extraHeight = scale(6);
  nearGap = scale(12);
  farGap = scale(5);
  insetX = scale(3);
  insetY = scale(1);
  arrowScale = std::max(1, dpi / kDefaultDpi);
}

HintPlacement PlaceHint(Point pointer, const Rect& monitor, int width, int height, const HintMetrics& m) {
  const bool left = pointer.x - monitor.left < monitor.Width() / 2;
  const bool top = pointer.y - monitor.top < monitor.Height() / 2;
  const int gap = left && top ? m.nearGap : m.farGap;
  const int x = left ? pointer.x + gap : pointer.x - width - gap;
  const int y = top ? pointer.y + gap : pointer.y - height - gap;
  ArrowPosition arrow = ArrowPosition::BottomRight;
  if (left && top) arrow = ArrowPosition::TopLeft;
  else if (top) arrow = ArrowPosition::TopRight;
  else if (left) arrow = ArrowPosition::BottomLeft;
  return {Rect{x, y, x + width, y + height}, arrow};
}

HintFaces LayoutHint(const Rect& c, ArrowPosition arrow, const HintMetrics& m) {
  const bool stripLeft = arrow == ArrowPosition::TopLeft || arrow == ArrowPosition::BottomLeft;
  HintFaces faces;
  if (stripLeft) {
    faces.strip = Rect{c.left + 1, c.top + 1, c.left + 1 + m.stripWidth, c.bottom - 1};
    faces.text = Rect{c.left + 1 + m.stripWidth, c.top + 1, c.right - 1, c.bottom - 1};
  } else {
    faces.strip = Rect{c.right - 1 - m.stripWidth, c.top + 1, c.right - 1, c.bottom - 1};
    faces.text = Rect{c.left + 1, c.top + 1, c.right - 1 - m.stripWidth, c.bottom - 1};
  }
  faces.textInset = Rect{faces.text.left + m.insetX, faces.text.top + m.insetY, faces.text.right - m.insetX,
                         faces.text.bottom - m.insetY};
  // The anchor keeps the arrow centred in the strip at every scale.
  const Rect& s = faces.strip;
  const int near = (m.stripWidth - 7 * m.arrowScale) / 2 - 1;
  switch (arrow) {
    case ArrowPosition::TopRight: faces.anchor = Point{s.right - 1 - near, s.top + near}; break;
    case ArrowPosition::TopLeft: faces.anchor = Point{s.left + near, s.top + near}; break;
    case ArrowPosition::BottomRight: faces.anchor = Point{s.right - 1 - near, s.bottom - 1 - near}; break;
    case ArrowPosition::BottomLeft: faces.anchor = Point{s.left + near, s.bottom - 1 - near}; break;
  }
  return faces;
}

std::array<Point, 18> ArrowPolyline(Point anchor, ArrowPosition arrow, const HintMetrics& m) {
  // The top-left arrow; the others are its mirror images.
  static constexpr Point kOffsets[18] = {{0, 0}, {0, 6}, {1, 6}, {1, 0}, {6, 0}, {6, 1}, {2, 1}, {2, 4}, {5, 7},
                                         {6, 7}, {3, 4}, {3, 3}, {6, 6}, {7, 6}, {3, 2}, {4, 2}, {7, 5}, {7, 6}};
  const int sx = (arrow == ArrowPosition::TopRight || arrow == ArrowPosition::BottomRight ? -1 : 1) * m.arrowScale;
  const int sy = (arrow == ArrowPosition::BottomRight || arrow == ArrowPosition::BottomLeft ? -1 : 1) * m.arrowScale;
  std::array<Point, 18> points;
  for (std::size_t i = 0; i < points.size(); ++i)
    points[i] = Point{anchor.x + sx * kOffsets[i].x, anchor.y + sy * kOffsets[i].y};
  return points;
}

}  // namespace huemira
