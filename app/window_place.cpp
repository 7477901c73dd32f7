#include "app/window_place.h"

#include <algorithm>

namespace huemira {

namespace {
// About the width of the caption's icon and a few letters.
constexpr int kGrabbableWidth = 40;
// Far beyond any desktop, and far enough from the int range that a window's
// edges computed from a stored corner cannot overflow.
constexpr int kFarthestCoordinate = 1 << 24;

bool Plausible(Point corner) {
  return corner.x > -kFarthestCoordinate && corner.x < kFarthestCoordinate && corner.y > -kFarthestCoordinate &&
         corner.y < kFarthestCoordinate;
}
}  // namespace

bool CaptionReachable(const Rect& bounds, int captionHeight, const std::vector<Rect>& workAreas) {
  const int needed = std::min(kGrabbableWidth, bounds.Width());
  for (const Rect& area : workAreas) {
    const bool wholeHeight = bounds.top >= area.top && bounds.top + captionHeight <= area.bottom;
    const int shared = std::min(bounds.right, area.right) - std::max(bounds.left, area.left);
    if (wholeHeight && shared >= needed) return true;
  }
  return false;
}

Rect MovedInto(const Rect& bounds, const Rect& area) {
  const int left = std::max(std::min(bounds.left, area.right - bounds.Width()), area.left);
  const int top = std::max(std::min(bounds.top, area.bottom - bounds.Height()), area.top);
  return Rect{left, top, left + bounds.Width(), top + bounds.Height()};
}

Point RestoredPlace(std::optional<Point> stored, int width, int height, int captionHeight,
                    const std::vector<Rect>& workAreas, Point fallback, const Rect& fallbackArea) {
  if (stored && Plausible(*stored) && CaptionReachable(Rect{stored->x, stored->y, stored->x + width, stored->y + height}, captionHeight,
                                 workAreas))
    return *stored;
  const Rect moved = MovedInto(Rect{fallback.x, fallback.y, fallback.x + width, fallback.y + height}, fallbackArea);
  return Point{moved.left, moved.top};
}

}  // namespace huemira
