#pragma once

#include <windows.h>

namespace huemira {

// The system colour dialog, opened with its custom-colour part expanded and
// starting at color. Returns true and the chosen colour when accepted.
// Custom colours the user defines last for the run only.
bool ExecuteColorDialog(HWND owner, COLORREF& color);

}  // namespace huemira
