// The flat hint's geometry, free of the platform: where the window goes for
// a pointer position, how big it is for a measured text, and where its
// strip, text and arrow lie inside it. Lengths are the 96-dpi ones scaled to
// the resolution of the monitor the hint shows on.
#pragma once

#include <array>

#include "framework/dpi_scale.h"
#include "framework/geometry.h"

namespace huemira {

// Which strip corner holds the arrow; it points back at the pointer.
enum class ArrowPosition { TopRight = 0, TopLeft = 1, BottomRight = 2, BottomLeft = 3 };

struct HintMetrics {
  explicit HintMetrics(int dpi = kDefaultDpi);
  int stripWidth;
  // The strip and the frame take this much width beside the text, the frame
  // and the text's inset this much height.
  int extraWidth;
  int extraHeight;
  int nearGap;  // from the pointer in the screen's top-left quarter
  int farGap;   // elsewhere
  int insetX;   // the text's inset in the text face
  int insetY;
  // The arrow grows by whole multiples only, so that its one-pixel
  // strokes stay crisp.
  int arrowScale;
};

// The width the text is wrapped to for a hint at most maxHintWidth wide.
inline int HintTextWidth(int maxHintWidth, const HintMetrics& m = HintMetrics()) {
  return maxHintWidth - m.extraWidth;
}

struct HintPlacement {
  Rect bounds;  // screen coordinates
  ArrowPosition arrow;
};

// Places a hint of the given size by the pointer's quarter of its monitor:
// right of and below the pointer in the top-left quarter (the near gap
// away), elsewhere away from the nearer monitor edges (the far gap away). A
// point on a halving line belongs to the right or lower half.
HintPlacement PlaceHint(Point pointer, const Rect& monitor, int width, int height,
                        const HintMetrics& m = HintMetrics());

struct HintFaces {
  Rect strip;
  Rect text;       // the area painted in the background colour
  Rect textInset;  // where the text is drawn
  Point anchor;    // the arrow's corner
};
HintFaces LayoutHint(const Rect& client, ArrowPosition arrow, const HintMetrics& m = HintMetrics());

// The arrow as one open polyline: its corner at the anchor, its shaft
// running diagonally away from the pointer.
std::array<Point, 18> ArrowPolyline(Point anchor, ArrowPosition arrow, const HintMetrics& m = HintMetrics());

}  // namespace huemira
