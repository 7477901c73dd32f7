// Fonts shared by all windows; created once and owned here.
#pragma once

#include <windows.h>

#include <string>

#include "framework/color.h"
#include "framework/dpi_scale.h"
#include "framework/handles.h"

namespace huemira {

// A font as a component's properties give it. An empty name stands for the
// system's message font, at its own height unless one is given.
struct FontDescription {
  std::wstring name;
  int height = 0;  // as LOGFONT takes it at 96 dpi: negative for a character height in pixels
  TColor color = clBlack;
  BYTE charSet = DEFAULT_CHARSET;
  bool bold = false;
  bool underline = false;
  bool operator==(const FontDescription& other) const = default;
};

// The system's message font: it carries the Chinese captions on any locale.
HFONT UiFont();
// A font of a face name and a pixel height (character height, as form
// descriptions give font sizes).
UniqueFont CreatePixelFont(const std::wstring& face, int pixelHeight);
// The font of a FontDescription at a resolution; its colour is the caller's to use.
UniqueFont CreateFontFrom(const FontDescription& description, UINT dpi = kDefaultDpi);

// What a derived font changes; zero keeps the base font's height.
struct FontStyle {
  int pixelHeight = 0;
  bool bold = false;
  bool underline = false;
};
// The base font's face with another size or style (a title, a link).
UniqueFont DeriveFont(HFONT base, const FontStyle& style);

}  // namespace huemira
