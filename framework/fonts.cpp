#include "framework/fonts.h"

namespace huemira {

HFONT UiFont() {
  static const UniqueFont font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
  }();
  return font.get();
}

UniqueFont CreateFontFrom(const FontDescription& description) {
  LOGFONTW font{};
  if (description.name.empty()) {
    GetObjectW(UiFont(), sizeof(font), &font);
    return UniqueFont(CreateFontIndirectW(&font));
  }
  font.lfHeight = description.height;
  font.lfCharSet = description.charSet;
  font.lfQuality = DEFAULT_QUALITY;
  description.name.copy(font.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&font));
}

UniqueFont CreatePixelFont(const std::wstring& face, int pixelHeight) {
  return CreateFontFrom(FontDescription{face, -pixelHeight});
}

UniqueFont DeriveFont(HFONT base, const FontStyle& style) {
  LOGFONTW font{};
  GetObjectW(base, sizeof(font), &font);
  if (style.pixelHeight) font.lfHeight = -style.pixelHeight;
  if (style.bold) font.lfWeight = FW_BOLD;
  font.lfUnderline = style.underline;
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace huemira
