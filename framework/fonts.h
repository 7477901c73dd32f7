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

// What a derived font changes; zero keeps the base font's height.
struct FontStyle {
  int pixelHeight = 0;
  bool bold = false;
  bool underline = false;
};
// The base font's face with another size or style (a title, a link).
UniqueFont DeriveFont(HFONT base, const FontStyle& style);

}  // namespace huemira
