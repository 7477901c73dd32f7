#pragma once

#include <windows.h>

#include "color/web_color.h"

namespace huemira {

// The colour of one screen pixel, at a place in physical pixels of the
// virtual desktop (left of or above the primary monitor is negative). The
// screen's device context is held only for the read, so long picking
// sessions hold no screen resources; a pixel that cannot be read, or that
// lies outside every monitor, comes out white.
TColor ScreenColorAt(POINT screenPoint);

}  // namespace huemira
