// The place of a small window that opens again where the user left it:
// its top left corner under a section of the settings file ("Left", "Top").
#pragma once

#include <windows.h>

#include <string>

namespace huemira {

// Puts the window at its stored place while the caption can still be
// reached on some monitor, else at fallback (the top left corner it should
// have the first time) moved into the work area of anchor's monitor.
void RestoreFormPlace(HWND window, const std::wstring& section, POINT fallback, HWND anchor);
// Stores where the window is now.
void SaveFormPlace(HWND window, const std::wstring& section);

}  // namespace huemira
