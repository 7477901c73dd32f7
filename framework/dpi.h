// Resolutions of the displays, for a process that scales its own windows
// to the resolution of each monitor. The newer platform functions are looked
// up at run time: the oldest system the program runs on lacks them, and
// there every monitor has the system's one resolution.
#pragma once

#include <windows.h>

#include "framework/dpi_scale.h"

namespace huemira {

// Makes the process aware of each monitor's resolution (version 2 where the
// system has it), as the manifest declares; for programs without the
// manifest, and systems that do not read it. A process whose awareness is
// set already keeps it.
void DeclareDpiAwareness();

UINT SystemDpi();
UINT MonitorDpi(HMONITOR monitor);
// The resolution of the monitor that holds the point, or of the nearest one.
UINT DpiAtPoint(POINT screenPoint);

// Bounds of a form's description (left, top, right, bottom at 96 dpi) at a
// resolution: the position and the size are scaled each, so that controls of
// one size keep one size.
RECT ScaleBounds(const RECT& bounds, UINT dpi);

// The frame of a window of the style around a client area at a resolution.
RECT WindowRectForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

// The system's dialog and menu fonts at a resolution.
LOGFONTW MessageFontAt(UINT dpi);
LOGFONTW MenuFontAt(UINT dpi);

}  // namespace huemira
