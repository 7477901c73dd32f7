#pragma once

#include <windows.h>

#include "app/web_color.h"

namespace huemira {

// The colour of one screen pixel. The screen's device context is held only
// for the read, so long picking sessions hold no screen resources; a pixel
// that cannot be read comes out white.
TColor ScreenColorAt(POINT screenPoint);

}  // namespace huemira
