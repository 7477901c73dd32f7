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

UniqueFont CreateFontFrom(const FontSpec& spec) {
  LOGFONTW font{};
  if (spec.name.empty()) {
    GetObjectW(UiFont(), sizeof(font), &font);
    return UniqueFont(CreateFontIndirectW(&font));
  }
  font.lfHeight = spec.height;
  font.lfCharSet = spec.charSet;
  font.lfQuality = DEFAULT_QUALITY;
  spec.name.copy(font.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&font));
}

UniqueFont CreatePixelFont(const std::wstring& face, int pixelHeight) {
  LOGFONTW font{};
  font.lfHeight = -pixelHeight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&font));
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
