// Small GDI helpers shared by the Win32 files of the DIB model.
#pragma once

#include <windows.h>

#include <string>

#include "framework/handles.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira {

// Raises EOutOfResources with the system's text for GetLastError(), or
// Exception "Out of resources" when there is no error code or no text.
[[noreturn]] void RaiseLastSystemError();

// The image's header and colour table as the drawing functions take them.
inline const BITMAPINFO* AsBitmapInfo(const TBitmapInfo& info) { return reinterpret_cast<const BITMAPINFO*>(&info); }

// A new DIB section holding a copy of the image's pixels, in the image's own format.
UniqueBitmap CreateDibSectionCopy(const TDibGraphic& image, HDC dc);

// A memory context compatible with the screen; raises the system error when refused.
UniqueMemoryDc CreateScreenCompatibleDc();

}  // namespace huemira
