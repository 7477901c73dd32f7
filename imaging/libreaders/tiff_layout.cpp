#include "imaging/libreaders/tiff_layout.h"

#include <algorithm>
#include <cmath>

#include "imaging/dib/imbrava_error.h"
#include "imaging/libreaders/reader_support.h"
#include "imaging/libreaders/tiff_error.h"

namespace huemira {

namespace {

bool IsCcitt(int compressionTag) {
  return compressionTag == COMPRESSION_CCITTRLE || compressionTag == COMPRESSION_CCITTFAX3 ||
         compressionTag == COMPRESSION_CCITTFAX4 || compressionTag == COMPRESSION_CCITTRLEW;
}

std::uint16_t ResolutionToDpi(TIFF* tif, ttag_t tag, std::uint16_t unit) {
  float resolution = 0;
  if (!TIFFGetField(tif, tag, &resolution)) return 0;
  return DpiFromFile(unit == RESUNIT_CENTIMETER ? resolution * 2.54 : resolution);
}

// Colour maps hold 16-bit values, but some writers store 8-bit ones: when no
// value reaches 256 they are taken as they are.
TLogPalette PaletteFromColorMap(const TiffFile& file, int bitsPerSample) {
  std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
  if (!TIFFGetField(file.get(), TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue) {
    throw TiffError(file.LastError("Colormap not specified"));
  }
  // libtiff holds 2^bits entries; the image can show at most 256 of them.
  const int count = bitsPerSample >= 8 ? 256 : 1 << bitsPerSample;
  bool sixteenBit = false;
  for (int i = 0; i < count; ++i) sixteenBit = sixteenBit || red[i] > 255 || green[i] > 255 || blue[i] > 255;
  const auto component = [sixteenBit](std::uint16_t value) {
    return static_cast<std::uint8_t>(sixteenBit ? value * 255u / 65535u : value);
  };
  TLogPalette palette;
  palette.count = static_cast<std::uint16_t>(count);
  for (int i = 0; i < count; ++i) palette.entries[i] = {component(red[i]), component(green[i]), component(blue[i]), 0};
  return palette;
}

}  // namespace

TiffFields ReadTiffFields(const TiffFile& file) {
  TIFF* tif = file.get();
  TiffFields fields;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &fields.width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &fields.height);
  TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &fields.photometric);
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &fields.compressionTag);
  if (!TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &fields.bitsPerSample)) {
    if (!IsCcitt(fields.compressionTag)) throw TiffError("Bits per sample not specified");
    fields.bitsPerSample = 1;
  }
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &fields.samplesPerPixel);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &fields.planarConfig);
  TIFFGetFieldDefaulted(tif, TIFFTAG_INKSET, &fields.inkSet);
  std::uint16_t unit = RESUNIT_INCH;
  TIFFGetField(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
  fields.xdpi = ResolutionToDpi(tif, TIFFTAG_XRESOLUTION, unit);
  fields.ydpi = ResolutionToDpi(tif, TIFFTAG_YRESOLUTION, unit);

  if (fields.compressionTag == COMPRESSION_LZW) throw EImbravaError("LZW compression not supported");
  std::uint32_t t4Options = 0;
  TIFFGetField(tif, TIFFTAG_GROUP3OPTIONS, &t4Options);
  fields.compression = TiffCompressionFromTag(fields.compressionTag, t4Options);
  RequireImageSizeAllowed(fields.width, fields.height);

  fields.tiled = TIFFIsTiled(tif) != 0;
  fields.scanlineSize = TIFFScanlineSize64(tif);
  if (fields.scanlineSize == 0) throw TiffError(file.LastError("TIFFScanlineSize"));
  return fields;
}

TiffLayout ChooseTiffLayout(const TiffFile& file, const TiffFields& fields) {
  const int bits = fields.bitsPerSample;
  const int samples = fields.samplesPerPixel;
  // Fax pages are taken as min-is-white whatever they claim: fax writers
  // commonly mark them min-is-black although 1 means black.
  const int photometric =
      IsCcitt(fields.compressionTag) && fields.photometric == PHOTOMETRIC_MINISBLACK ? PHOTOMETRIC_MINISWHITE
                                                                                    : fields.photometric;
  const bool gray = photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK;

  TiffLayout layout;
  if (gray && bits == 1) {
    layout.format = TDibFormat::ifBlackAndWhite;
  } else if (gray && bits == 4) {
    layout.format = TDibFormat::ifGrayscale16;
  } else if (gray && (bits == 8 || bits == 16)) {
    layout.format = TDibFormat::ifGrayscale256;
  } else if (photometric == PHOTOMETRIC_PALETTE) {
    layout.format = bits <= 4 ? TDibFormat::ifColor16 : TDibFormat::ifColor256;
    layout.palette = PaletteFromColorMap(file, bits);
    layout.hasPalette = true;
  } else {
    layout.format = TDibFormat::ifColorRgb24;
  }

  // libtiff's RGBA conversion serves every page the row routes cannot take:
  // JPEG data, tiles, CMYK and YCbCr, deep samples, separate planes, and
  // pixels whose size is not one of the image's.
  const std::uint64_t bytesPerPixel =
      std::max<std::uint64_t>(1, static_cast<std::uint64_t>(std::llround(
                                     static_cast<double>(fields.scanlineSize) / fields.width)));
  const std::uint64_t pixelBits = bits * bytesPerPixel;
  const bool contiguousRows = !fields.tiled && fields.planarConfig == PLANARCONFIG_CONTIG &&
                              fields.compressionTag != COMPRESSION_JPEG;
  const bool rgbaNeeded = !contiguousRows || photometric == PHOTOMETRIC_SEPARATED ||
                          photometric == PHOTOMETRIC_YCBCR || bits > 8 ||
                          (pixelBits != 1 && pixelBits != 4 && pixelBits != 8 && pixelBits != 24);
  const bool firstSample = contiguousRows && ((gray && bits == 16) ||
                                              (photometric == PHOTOMETRIC_PALETTE && bits == 8 && samples >= 2));
  const bool deepCmyk = contiguousRows && photometric == PHOTOMETRIC_SEPARATED && fields.inkSet == INKSET_CMYK &&
                        bits == 16 && samples >= 4;
  if (firstSample) {
    layout.route = TiffPixelRoute::FirstSampleRows;
  } else if (deepCmyk) {
    layout.route = TiffPixelRoute::CmykRows;
  } else if (rgbaNeeded) {
    layout.route = TiffPixelRoute::Rgba;
  } else if (samples == 1 && bits == BitsPerPixel(layout.format)) {
    layout.route = TiffPixelRoute::CopyRows;
  } else if (layout.format == TDibFormat::ifColorRgb24 && photometric == PHOTOMETRIC_RGB && bits == 8 &&
             samples == 3) {
    layout.route = TiffPixelRoute::RgbRows;
  } else {
    // A pixel layout no image row has (1-bit palette, gray with extra samples, ...).
    layout.route = TiffPixelRoute::Rgba;
  }
  // libtiff's RGBA conversion already shows min-is-white as it should; our
  // own routes deliver the stored values, which the inversion turns round.
  layout.invert = photometric == PHOTOMETRIC_MINISWHITE && layout.route != TiffPixelRoute::Rgba &&
                  layout.format != TDibFormat::ifColorRgb24;
  return layout;
}

}  // namespace huemira
