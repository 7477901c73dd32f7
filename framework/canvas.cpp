#include "framework/canvas.h"

#include "framework/handles.h"

namespace huemira {

void FillSolid(HDC dc, const RECT& area, COLORREF color) {
  const UniqueBrush brush(CreateSolidBrush(color));
  FillRect(dc, &area, brush.get());
}

void FrameSolid(HDC dc, const RECT& area, COLORREF color) {
  const UniqueBrush brush(CreateSolidBrush(color));
  FrameRect(dc, &area, brush.get());
}

}  // namespace huemira
