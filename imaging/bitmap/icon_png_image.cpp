// Icon images stored as a PNG file (the 256-pixel image of most modern
// icons). They are read as stored: no gamma correction and no background of
// the file's own, so that the colour picked is the colour in the icon.
#include <vector>

#include "framework/color.h"
#include "framework/exception.h"
#include "imaging/bitmap/icon_directory.h"
#include "imaging/bitmap/icon_images.h"
#include "imaging/dib/image_limits.h"
#include "imaging/libreaders/png_session.h"

namespace huemira {
namespace {

void DrawPng(TStream& stream, TDibGraphic& image, std::uint32_t background) {
  PngSession session(stream, PngSession::Direction::Read);
  session.SilenceWarnings();
  png_structp png = session.png();
  png_infop info = session.info();
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colorType = 0;
  session.Run([&] {
    png_read_info(png, info);
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
  });
  if (!ImageSizeAllowed(width, height)) throw EInvalidGraphic(kInvalidIcon);

  // Every layout becomes 8-bit blue, green, red, alpha.
  int passes = 1;
  session.Run([&] {
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
  });
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  if (png_get_rowbytes(png, info) != rowBytes) throw EInvalidGraphic(kInvalidIcon);

  image.NewImage(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), TDibFormat::ifColorRgb24, nullptr,
                 0, 0);
  const TColor backColor = ColorFromRgb(background);  // background is 0x00RRGGBB
  const std::uint8_t back[3] = {BlueOf(backColor), GreenOf(backColor), RedOf(backColor)};
  // An interlaced picture is complete only after its last pass, so it is
  // kept whole; any other is blended row by row.
  std::vector<std::uint8_t> rows(rowBytes * (passes == 1 ? 1 : height));
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      png_bytep row = rows.data() + (passes == 1 ? 0 : y * rowBytes);
      session.Run([&] { png_read_row(png, row, nullptr); });
      if (pass != passes - 1) continue;
      std::uint8_t* out = image.GetScanLine(static_cast<int>(y));
      for (png_uint_32 x = 0; x < width; ++x, row += 4, out += 3) {
        for (int c = 0; c < 3; ++c) out[c] = BlendOver(row[c], row[3], back[c]);
      }
    }
  }
}

}  // namespace

void DrawPngIconImage(TStream& stream, TDibGraphic& image, std::uint32_t background) {
  try {
    DrawPng(stream, image, background);
  } catch (const EPNGError&) {
    throw EInvalidGraphic(kInvalidIcon);
  }
}

}  // namespace huemira
