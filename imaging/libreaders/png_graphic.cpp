#include "imaging/libreaders/png_graphic.h"

#include <algorithm>
#include <cstring>

#include "imaging/libreaders/png_session.h"
#include "imaging/libreaders/reader_support.h"

namespace huemira {

thread_local bool QuietPngWarnings = false;

namespace {

constexpr std::uint8_t kPngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

struct PngLayout {
  TDibFormat format;
  // 2-bit pictures have no DIB format of their own: their pixels are widened
  // to 4-bit indexes, multiplied by indexScale (5 spreads gray 0..3 over the
  // 16 grays, 1 keeps palette indexes).
  bool twoBit = false;
  int indexScale = 1;
};

PngLayout ChooseLayout(int bitDepth, int colorType) {
  const bool gray = colorType == PNG_COLOR_TYPE_GRAY;
  const bool palette = colorType == PNG_COLOR_TYPE_PALETTE;
  switch (bitDepth) {
    case 1:
      if (gray || palette) return {TDibFormat::ifBlackAndWhite};
      break;
    case 2:
      if (gray) return {TDibFormat::ifGrayscale16, true, 5};
      if (palette) return {TDibFormat::ifColor16, true, 1};
      break;
    case 4:
      if (gray) return {TDibFormat::ifGrayscale16};
      if (palette) return {TDibFormat::ifColor16};
      break;
    case 8:
    case 16:
      if (gray || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) return {TDibFormat::ifGrayscale256};
      if (colorType == PNG_COLOR_TYPE_RGB || colorType == PNG_COLOR_TYPE_RGB_ALPHA) return {TDibFormat::ifColorRgb24};
      if (palette && bitDepth == 8) return {TDibFormat::ifColor256};
      break;
    default:
      throw EPNGError("Invalid bit depth");
  }
  throw EPNGError("Invalid color type for bit depth");
}

// Widens a row of 2-bit values (four to a byte, first pixel in the top bits)
// in place into 4-bit indexes. Right to left: writing pixel x only touches the
// 2-bit pixels 2x and 2x + 1, which have been read already.
void ExpandTwoBitRow(std::uint8_t* row, int width, int indexScale) {
  for (int x = width - 1; x >= 0; --x) {
    const int value = (row[x >> 2] >> (6 - 2 * (x & 3))) & 3;
    const auto index = static_cast<std::uint8_t>(value * indexScale);
    std::uint8_t& target = row[x >> 1];
    target = (x & 1) ? static_cast<std::uint8_t>((target & 0xF0) | index)
                     : static_cast<std::uint8_t>((target & 0x0F) | (index << 4));
  }
}

}  // namespace

bool TPngGraphic::CanLoadStream(TStream& stream) {
  std::uint8_t signature[sizeof kPngSignature];
  const std::size_t got = stream.Read(signature, sizeof signature);
  stream.Seek(-static_cast<std::int64_t>(got), SeekOrigin::Current);
  return got == sizeof signature && std::memcmp(signature, kPngSignature, sizeof signature) == 0;
}

void TPngGraphic::ReadImage(TStream& stream, int /*index*/) {
  int percent = PercentStep(*this, 0, 0, 255, 100, OnPercentDone);
  std::uint8_t signature[sizeof kPngSignature];
  if (stream.Read(signature, sizeof signature) != sizeof signature ||
      std::memcmp(signature, kPngSignature, sizeof signature) != 0) {
    throw EPNGError("PNG file is not valid or corrupted");
  }

  PngSession session(stream, PngSession::Direction::Read);
  png_structp png = session.png();
  png_infop info = session.info();
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colorType = 0, interlace = 0;
  session.Run([&] {
    png_set_sig_bytes(png, sizeof kPngSignature);
    png_read_info(png, info);
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
  });
  const PngLayout layout = ChooseLayout(bitDepth, colorType);
  RequireImageSizeAllowed(width, height);

  double fileGamma = 0;
  const bool hasSrgb = png_get_valid(png, info, PNG_INFO_sRGB) != 0;
  if (!hasSrgb && bitDepth > 2) FileGamma = png_get_gAMA(png, info, &fileGamma) && fileGamma > 0 ? fileGamma : 0.5;

  png_uint_32 xPixelsPerUnit = 0, yPixelsPerUnit = 0;
  int unit = 0;
  std::uint16_t xdpi = 0, ydpi = 0;
  if (png_get_pHYs(png, info, &xPixelsPerUnit, &yPixelsPerUnit, &unit) && unit == PNG_RESOLUTION_METER) {
    xdpi = DpiFromFile(xPixelsPerUnit * 0.0254);
    ydpi = DpiFromFile(yPixelsPerUnit * 0.0254);
  }
  if (interlace != PNG_INTERLACE_NONE && interlace != PNG_INTERLACE_ADAM7) throw EPNGError("Interlace type not valid");

  int passes = 1;
  session.Run([&] {
    if (!hasSrgb && bitDepth > 2) png_set_gamma(png, DisplayGamma, FileGamma);
    if ((colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS)) {
      png_color_16p fileBackground = nullptr;
      if (!ReplaceFileBackground && png_get_bKGD(png, info, &fileBackground)) {
        png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
      } else {
        png_color_16 background{};
        const TColor color = ColorFromRgb(PngBackground);
        background.red = RedOf(color);
        background.green = GreenOf(color);
        background.blue = BlueOf(color);
        png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
      }
    }
    if (bitDepth == 16) png_set_strip_16(png);
    if (layout.format == TDibFormat::ifColorRgb24) png_set_bgr(png);
    if (interlace == PNG_INTERLACE_ADAM7) passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
  });

  // The rows go straight into the image, so libpng's row must be exactly the
  // image row's pixel bytes; anything else would write past the row.
  const int pixelBits = layout.twoBit ? 2 : BitsPerPixel(layout.format);
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * pixelBits + 7) / 8;
  if (png_get_rowbytes(png, info) != rowBytes) throw EPNGError("PNG file is not valid or corrupted");

  TLogPalette palette;
  const bool paletteImage = colorType == PNG_COLOR_TYPE_PALETTE;
  if (paletteImage) {
    png_colorp entries = nullptr;
    int count = 0;
    if (!png_get_PLTE(png, info, &entries, &count) || !entries) throw EPNGError("png_get_PLTE failed");
    palette.count = static_cast<std::uint16_t>(std::clamp(count, 0, 256));
    for (int i = 0; i < palette.count; ++i) palette.entries[i] = {entries[i].red, entries[i].green, entries[i].blue, 0};
  }
  NewImage(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), layout.format,
           paletteImage ? &palette : nullptr, xdpi, ydpi);

  const int rows = static_cast<int>(height);
  const std::int64_t steps = std::int64_t{passes} * (rows - 1);
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < rows; ++y) {
      png_bytep row = GetScanLine(y);
      session.Run([&] { png_read_row(png, row, nullptr); });
      percent = PercentStep(*this, y + std::int64_t{rows - 1} * pass, 0, percent, steps, OnPercentDone);
    }
  }
  if (layout.twoBit) {
    for (int y = 0; y < rows; ++y) ExpandTwoBitRow(GetScanLine(y), static_cast<int>(width), layout.indexScale);
  }
  PercentStep(*this, 100, 0, percent, 100, OnPercentDone);
}

}  // namespace huemira
