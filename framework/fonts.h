// Fonts shared by all windows; created once and owned here.
#pragma once

#include <windows.h>

#include <string>

#include "framework/handles.h"

namespace huemira {

// The system's message font: it carries the Chinese captions on any locale.
HFONT UiFont();
// A font of a face name and a pixel height (character height, as form
// descriptions give font sizes).
UniqueFont CreatePixelFont(const std::wstring& face, int pixelHeight);

}  // namespace huemira
