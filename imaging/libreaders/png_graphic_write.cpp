// TPngGraphic::SaveToStream: the picture written through libpng.
#include <algorithm>
#include <array>
#include <cmath>

#include "imaging/libreaders/png_graphic.h"
#include "imaging/libreaders/png_session.h"

namespace huemira {

namespace {

png_uint_32 PixelsPerMetre(std::uint16_t dpi) { return static_cast<png_uint_32>(std::nearbyint(dpi / 0.0254)); }

int CompressionLevel(int deflateLevel) {
  constexpr int kLevels[] = {1, 5, 9};
  return kLevels[std::clamp(deflateLevel, 0, 2)];
}

}  // namespace

void TPngGraphic::SaveToStream(TStream& stream) {
  const TDibFormat format = DibFormat();
  const bool trueColor = format == TDibFormat::ifColorRgb24;
  const bool paletteImage = format == TDibFormat::ifColor16 || format == TDibFormat::ifColor256;
  if (WriteTransparency && !trueColor && !paletteImage) {
    throw EPNGError(
        "Gray scale transparent PNG images are not supported.\rUse the ifColor16 or ifColor256 image format "
        "instead.");
  }
  const int bitDepth = trueColor ? 8 : BitsPerPixel(format);
  const int colorType = trueColor ? PNG_COLOR_TYPE_RGB : paletteImage ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_GRAY;

  std::array<png_color, 256> palette{};
  const int paletteCount = paletteImage ? Palette().count : 0;
  for (int i = 0; i < paletteCount; ++i) {
    const TPaletteEntry& entry = Palette().entries[i];
    palette[i] = {entry.red, entry.green, entry.blue};
  }
  png_color_16 background{};
  if (trueColor) {
    const TColor color = ColorFromRgb(PngBackground);
    background.red = RedOf(color);
    background.green = GreenOf(color);
    background.blue = BlueOf(color);
  } else if (!Empty()) {
    background.index = static_cast<png_byte>(PaletteConverter()->NearestIndex(PngBackground));
    background.gray = background.index;
  }
  png_color_16 transparentColor{};
  std::array<png_byte, 256> paletteAlpha{};
  paletteAlpha.fill(255);
  if (trueColor) {
    const TColor color = ColorFromRgb(PngTransparentRgb);
    transparentColor.red = RedOf(color);
    transparentColor.green = GreenOf(color);
    transparentColor.blue = BlueOf(color);
  } else if (paletteImage && !Empty()) {
    paletteAlpha[PaletteConverter()->NearestIndex(PngTransparentRgb)] = 0;
  }

  PngSession session(stream, PngSession::Direction::Write);
  png_structp png = session.png();
  png_infop info = session.info();
  int passes = 1;
  session.Run([&] {
    png_set_IHDR(png, info, static_cast<png_uint_32>(Width()), static_cast<png_uint_32>(Height()), bitDepth,
                 colorType, WriteInterlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (paletteImage) png_set_PLTE(png, info, palette.data(), paletteCount);
    png_set_pHYs(png, info, PixelsPerMetre(XDpi()), PixelsPerMetre(YDpi()), PNG_RESOLUTION_METER);
    png_set_gAMA(png, info, FileGamma);
    if (WriteBackground) png_set_bKGD(png, info, &background);
    if (WriteTransparency) {
      if (trueColor) {
        png_set_tRNS(png, info, nullptr, 0, &transparentColor);
      } else {
        png_set_tRNS(png, info, paletteAlpha.data(), paletteCount, nullptr);
      }
    }
    png_set_compression_level(png, CompressionLevel(DeflateLevel));
    if (trueColor) png_set_bgr(png);
    png_write_info(png, info);
    passes = png_set_interlace_handling(png);
  });
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < Height(); ++y) {
      png_bytep row = GetScanLine(y);
      session.Run([&] { png_write_row(png, row); });
    }
  }
  session.Run([&] { png_write_end(png, info); });
}

}  // namespace huemira
