// The flat hint's geometry, free of the platform: where the window goes for
// a pointer position, how big it is for a measured text, and where its
// strip, text and arrow lie inside it.
#pragma once

#include <array>

#include "framework/geometry.h"

namespace huemira {

// Which strip corner holds the arrow; it points back at the pointer.
enum class ArrowPosition { TopRight = 0, TopLeft = 1, BottomRight = 2, BottomLeft = 3 };

inline constexpr int kHintStripWidth = 14;
// The strip and the frame take this much width beside the text, the frame
// and the text's inset this much height.
inline constexpr int kHintExtraWidth = 22;
inline constexpr int kHintExtraHeight = 6;

// The width the text is wrapped to for a hint at most maxHintWidth wide.
inline int HintTextWidth(int maxHintWidth) { return maxHintWidth - kHintExtraWidth; }

struct HintPlacement {
  Rect bounds;  // screen coordinates
  ArrowPosition arrow;
};

// Places a hint of the given size by the pointer's quarter of the screen:
// right of and below the pointer in the top-left quarter (12 pixels away),
// elsewhere away from the nearer screen edges (5 pixels away). A point on a
// halving line belongs to the right or lower half.
HintPlacement PlaceHint(Point pointer, int screenWidth, int screenHeight, int width, int height);

struct HintFaces {
  Rect strip;
  Rect text;       // the area painted in the background colour
  Rect textInset;  // where the text is drawn
  Point anchor;    // the arrow's corner
};
HintFaces LayoutHint(const Rect& client, ArrowPosition arrow);

// The arrow as one open polyline: its corner at the anchor, its shaft
// running diagonally away from the pointer.
std::array<Point, 18> ArrowPolyline(Point anchor, ArrowPosition arrow);

}  // namespace huemira
