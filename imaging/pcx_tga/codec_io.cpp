#include "imaging/pcx_tga/codec_io.h"

#include "imaging/pcx_tga/bmc.h"
#include "imaging/pcx_tga/pcx_tga_errors.h"

namespace huemira {

namespace {

constexpr int kNothingReported = 255;

TDibFormat FormatForBpp(int bpp) {
  switch (bpp) {
    case 1: return TDibFormat::ifBlackAndWhite;
    case 4: return TDibFormat::ifColor16;
    case 8: return TDibFormat::ifColor256;
    case 24: return TDibFormat::ifColorRgb24;
    default: throw EBmcError("Internal error: Invalid image format");
  }
}

BmcPixelBuffer PixelBufferOf(TDibGraphic& graphic) {
  BmcPixelBuffer buffer;
  const int height = graphic.Height();
  buffer.bottom_row = graphic.GetScanLine(height - 1);
  buffer.row_step = height > 1 ? graphic.GetScanLine(height - 2) - buffer.bottom_row : graphic.Stride();
  buffer.row_bytes = static_cast<std::size_t>(graphic.Stride());
  return buffer;
}

// Forwards the codec's percentages to the graphic's OnPercentDone.
struct TProgressRelay {
  TDibGraphic& graphic;
  int last_percent = kNothingReported;

  void Report(int percent) { last_percent = PercentStep(graphic, percent, 0, last_percent, 100, graphic.OnPercentDone); }
  static void Forward(int percent, void* relay) { static_cast<TProgressRelay*>(relay)->Report(percent); }
};

int GuessFileType(const char* nominal_name) {
  int file_type = 0;
  if (bmc_guess_filetype(nominal_name, &file_type) != BMC_OK) throw EBmcError("bmc_guess_filetype failed.");
  return file_type;
}

}  // namespace

void ReadThroughCodec(TStream& stream, TDibGraphic& graphic, const char* nominal_name, const char* options) {
  TProgressRelay progress{graphic};
  progress.Report(0);
  const int file_type = GuessFileType(nominal_name);
  BmcHeader header;
  if (bmc_read_header(nominal_name, &stream, file_type, options, &header) != BMC_OK) {
    throw EBmcError("bmc_read_header failed.");
  }
  const TDibFormat format = FormatForBpp(header.bpp);
  TLogPalette palette;
  if (format != TDibFormat::ifColorRgb24) {
    BmcColorMap color_map{};
    if (bmc_read_color_map(&stream, file_type, &header, &color_map) != BMC_OK) {
      throw EBmcError("bmc_read_header failed.");
    }
    palette.count = static_cast<std::uint16_t>(1u << header.bpp);
    for (int i = 0; i < palette.count; ++i) {
      palette.entries[i] = {color_map[i].red, color_map[i].green, color_map[i].blue, 0};
    }
  }
  graphic.NewImage(header.width, header.height, format, format == TDibFormat::ifColorRgb24 ? nullptr : &palette,
                   0, 0);
  const BmcPixelBuffer buffer = PixelBufferOf(graphic);
  if (bmc_read_data(&stream, file_type, &header, &buffer, &TProgressRelay::Forward, &progress) != BMC_OK) {
    throw EBmcError("bmc_read_data failed.");
  }
  progress.Report(100);
}

void WriteThroughCodec(TStream& stream, TDibGraphic& graphic, int bpp, const char* nominal_name,
                       const char* options) {
  TProgressRelay progress{graphic};
  progress.Report(0);
  const int file_type = GuessFileType(nominal_name);
  BmcHeader header;
  header.width = graphic.Width();
  header.height = graphic.Height();
  header.bpp = bpp;
  BmcColorMap color_map{};
  const TLogPalette& palette = graphic.Palette();
  for (int i = 0; i < palette.count && i < 256; ++i) {
    color_map[i] = {palette.entries[i].red, palette.entries[i].green, palette.entries[i].blue};
  }
  const BmcPixelBuffer buffer = graphic.Empty() ? BmcPixelBuffer{} : PixelBufferOf(graphic);
  if (bmc_write(nominal_name, &stream, file_type, &header, &color_map, &buffer, options,
                &TProgressRelay::Forward, &progress) != BMC_OK) {
    throw EBmcError("bmc_write failed.");
  }
  progress.Report(100);
}

}  // namespace huemira
