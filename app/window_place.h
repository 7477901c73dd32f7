// Where a small window that remembers its place opens again: at the stored
// place while its caption can still be reached on some monitor (monitors
// come and go between runs), else at a place of the program's choosing,
// moved into that monitor's work area.
#pragma once

#include <optional>
#include <vector>

#include "framework/geometry.h"

namespace huemira {

// Whether a window at bounds can be dragged by its caption: the caption's
// whole height, and a part of its width that a pointer can grab, lie in
// one work area.
bool CaptionReachable(const Rect& bounds, int captionHeight, const std::vector<Rect>& workAreas);

// The window's bounds moved, not resized, to lie in area as far as its size
// allows; the top left corner wins when it is bigger than the area.
Rect MovedInto(const Rect& bounds, const Rect& area);

// The top left corner of a window of size (width, height) that opens again:
// the stored one while its caption stays reachable, else fallback moved
// into fallbackArea.
Point RestoredPlace(std::optional<Point> stored, int width, int height, int captionHeight,
                    const std::vector<Rect>& workAreas, Point fallback, const Rect& fallbackArea);

}  // namespace huemira
