// Small drawing helpers over a device context, for the windows that paint
// themselves: solid fills and frames in a colour, and the portable
// rectangle as the platform's.
#pragma once

#include <windows.h>

#include "framework/geometry.h"

namespace huemira {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void FillSolid(HDC dc, const RECT& area, COLORREF color);
// A one-pixel frame just inside the area.
void FrameSolid(HDC dc, const RECT& area, COLORREF color);

}  // namespace huemira
