#include "imaging/libreaders/jpeg_graphic.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "imaging/libreaders/jpeg_compressor.h"
#include "imaging/libreaders/jpeg_decompressor.h"
#include "imaging/libreaders/reader_support.h"

namespace huemira {

namespace {

constexpr std::uint8_t kJfifStart[] = {0xFF, 0xD8, 0xFF, 0xE0};
constexpr char kJfifName[] = "JFIF";  // with its terminating zero byte, as in the file
constexpr std::size_t kJfifNameOffset = 6;
// Rows handed to libjpeg per call: it fills up to an iMCU row at a time.
constexpr int kRowBatch = 16;

std::uint16_t DensityToDpi(int unit, unsigned density) {
  switch (unit) {
    case 1: return static_cast<std::uint16_t>(density);
    case 2: return DpiFromFile(density * 2.54);
    default: return 0;
  }
}

// The image rows hold blue, green, red. libjpeg-turbo takes and delivers
// that order itself; the plain libjpeg API wants red, green, blue, swapped
// per row.
#ifdef JCS_EXTENSIONS
constexpr J_COLOR_SPACE kTrueColorSpace = JCS_EXT_BGR;
void SwapRedAndBlue(std::uint8_t*, int) {}
#else
constexpr J_COLOR_SPACE kTrueColorSpace = JCS_RGB;
void SwapRedAndBlue(std::uint8_t* row, int width) {
  for (int x = 0; x < width; ++x) std::swap(row[3 * x], row[3 * x + 2]);
}
#endif

}  // namespace

bool TJpegGraphic::CanLoadStream(TStream& stream) {
  std::uint8_t header[kJfifNameOffset + sizeof kJfifName];
  const std::size_t got = stream.Read(header, sizeof header);
  stream.Seek(-static_cast<std::int64_t>(got), SeekOrigin::Current);
  return got == sizeof header && std::memcmp(header, kJfifStart, sizeof kJfifStart) == 0 &&
         std::memcmp(header + kJfifNameOffset, kJfifName, sizeof kJfifName) == 0;
}

void TJpegGraphic::ReadImage(TStream& stream, int /*index*/) {
  int percent = PercentStep(*this, 0, 0, 255, 100, OnPercentDone);
  JpegDecompressor decompressor(stream);
  jpeg_decompress_struct& cinfo = decompressor.cinfo();
  decompressor.Run([&] { jpeg_read_header(&cinfo, TRUE); });
  RequireImageSizeAllowed(cinfo.image_width, cinfo.image_height);
  storedWidth_ = static_cast<int>(cinfo.image_width);
  storedHeight_ = static_cast<int>(cinfo.image_height);
  if (PreviewWidth > 0 && PreviewHeight > 0) {
    unsigned denominator = 8;
    while (denominator > 1 && (cinfo.image_width / denominator < static_cast<unsigned>(PreviewWidth) ||
                               cinfo.image_height / denominator < static_cast<unsigned>(PreviewHeight))) {
      denominator /= 2;
    }
    cinfo.scale_num = 1;
    cinfo.scale_denom = denominator;
  }

  // CMYK and YCCK stay as they are: there is no true-colour route for them,
  // and they are refused below by their sample count.
  if (cinfo.jpeg_color_space == JCS_GRAYSCALE) {
    cinfo.out_color_space = JCS_GRAYSCALE;
  } else if (cinfo.jpeg_color_space == JCS_YCbCr || cinfo.jpeg_color_space == JCS_RGB) {
    cinfo.out_color_space = kTrueColorSpace;
  }
  decompressor.Run([&] { jpeg_calc_output_dimensions(&cinfo); });
  TDibFormat format;
  switch (cinfo.out_color_components) {
    case 1: format = TDibFormat::ifGrayscale256; break;
    case 3: format = TDibFormat::ifColorRgb24; break;
    default: throw EJpegError("Invalid number of samples, " + std::to_string(cinfo.out_color_components));
  }
  const std::uint16_t xdpi = DensityToDpi(cinfo.density_unit, cinfo.X_density);
  const std::uint16_t ydpi = DensityToDpi(cinfo.density_unit, cinfo.Y_density);

  decompressor.Run([&] { jpeg_start_decompress(&cinfo); });
  const int width = static_cast<int>(cinfo.output_width);
  const int height = static_cast<int>(cinfo.output_height);
  NewImage(width, height, format, nullptr, xdpi, ydpi);

  JSAMPROW rows[kRowBatch];
  while (cinfo.output_scanline < cinfo.output_height) {
    const int first = static_cast<int>(cinfo.output_scanline);
    const int wanted = std::min(kRowBatch, height - first);
    for (int i = 0; i < wanted; ++i) rows[i] = GetScanLine(first + i);
    JDIMENSION got = 0;
    decompressor.Run([&] { got = jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(wanted)); });
    // Our source never suspends, so no progress would mean a loop without end.
    if (got == 0) throw EJpegError("JPEG decoder made no progress");
    if (format == TDibFormat::ifColorRgb24) {
      for (JDIMENSION i = 0; i < got; ++i) SwapRedAndBlue(rows[i], width);
    }
    percent = PercentStep(*this, cinfo.output_scanline, 0, percent, height, OnPercentDone);
  }
  decompressor.Run([&] { jpeg_finish_decompress(&cinfo); });
  PercentStep(*this, 100, 0, percent, 100, OnPercentDone);
}

void TJpegGraphic::SaveToStream(TStream& stream) {
  const bool gray = DibFormat() == TDibFormat::ifGrayscale256;
  if (Empty() || (!gray && DibFormat() != TDibFormat::ifColorRgb24)) {
    throw EJpegError("JPEG image must be gray scale or true color");
  }
  JpegCompressor compressor(stream);
  jpeg_compress_struct& cinfo = compressor.cinfo();
  cinfo.image_width = static_cast<JDIMENSION>(Width());
  cinfo.image_height = static_cast<JDIMENSION>(Height());
  cinfo.input_components = gray ? 1 : 3;
  cinfo.in_color_space = gray ? JCS_GRAYSCALE : kTrueColorSpace;
  const int quality = JpegQuality;
  const bool progressive = JpegProgressive;
  compressor.Run([&] {
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.density_unit = 1;
    cinfo.X_density = XDpi();
    cinfo.Y_density = YDpi();
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
  });
#ifndef JCS_EXTENSIONS
  std::vector<std::uint8_t> swapped(static_cast<std::size_t>(Stride()));
#endif
  for (int y = 0; y < Height(); ++y) {
    JSAMPROW row = GetScanLine(y);
#ifndef JCS_EXTENSIONS
    if (!gray) {
      std::copy_n(row, swapped.size(), swapped.begin());
      row = swapped.data();
      SwapRedAndBlue(row, Width());
    }
#endif
    compressor.Run([&] { jpeg_write_scanlines(&cinfo, &row, 1); });
  }
  compressor.Run([&] { jpeg_finish_compress(&cinfo); });
}

}  // namespace huemira
