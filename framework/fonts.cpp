#include "framework/fonts.h"

#include "framework/dpi.h"

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

UniqueFont CreateFontFrom(const FontDescription& description, UINT dpi) {
  LOGFONTW font{};
  if (description.name.empty()) {
    font = MessageFontAt(dpi);
  } else {
    font.lfCharSet = description.charSet;
    font.lfQuality = DEFAULT_QUALITY;
    description.name.copy(font.lfFaceName, LF_FACESIZE - 1);
  }
  if (description.height != 0 || !description.name.empty())
    font.lfHeight = ScaleToDpi(description.height, static_cast<int>(dpi));
  if (description.bold) font.lfWeight = FW_BOLD;
  if (description.underline) font.lfUnderline = TRUE;
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
