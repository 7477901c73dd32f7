// TTiffGraphic::SaveToStream and AppendImage: the picture written as a TIFF
// page through libtiff.
#include <algorithm>
#include <ctime>
#include <vector>

#include "imaging/libreaders/tiff_file.h"
#include "imaging/libreaders/tiff_graphic.h"

namespace huemira {

namespace {

int CompressionTag(TTiffCompression compression) {
  switch (compression) {
    case TTiffCompression::tcNone: return COMPRESSION_NONE;
    case TTiffCompression::tcPackbits: return COMPRESSION_PACKBITS;
    case TTiffCompression::tcCcittGroup3_1D:
    case TTiffCompression::tcCcittGroup3_2D: return COMPRESSION_CCITTFAX3;
    case TTiffCompression::tcCcittGroup4: return COMPRESSION_CCITTFAX4;
    case TTiffCompression::tcZLib: return COMPRESSION_ADOBE_DEFLATE;
    case TTiffCompression::tcJpeg: return COMPRESSION_JPEG;
  }
  return COMPRESSION_NONE;
}

bool IsCcitt(TTiffCompression compression) {
  return compression == TTiffCompression::tcCcittGroup3_1D || compression == TTiffCompression::tcCcittGroup3_2D ||
         compression == TTiffCompression::tcCcittGroup4;
}

// "yyyy:mm:dd hh:nn:ss", the form TIFF prescribes.
std::string CurrentDateTime() {
  const std::time_t now = std::time(nullptr);
  char text[20] = {};
  std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", std::localtime(&now));
  return text;
}

}  // namespace

void TTiffGraphic::SaveToStream(TStream& stream) {
  // Offsets in the file count from the stream's position, so a TIFF written
  // further into a stream is whole where it lies.
  TiffFile file(stream, "w");
  WritePage(file);
}

void TTiffGraphic::AppendImage(TStream& stream) {
  if (stream.Size() == 0) {
    SaveToStream(stream);
    return;
  }
  stream.SetPosition(0);
  TiffFile file(stream, "a");
  WritePage(file);
}

void TTiffGraphic::WritePage(const TiffFile& file) {
  if (Empty()) throw TiffError("TIFFWriteScanLine");
  TIFF* tif = file.get();
  const TDibFormat format = DibFormat();
  const bool ccitt = IsCcitt(compression_);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, CompressionTag(compression_));
  if (compression_ == TTiffCompression::tcCcittGroup3_2D) TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, GROUP3OPT_2DENCODING);
  if (compression_ == TTiffCompression::tcCcittGroup3_1D) TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, 0);
  if (compression_ == TTiffCompression::tcJpeg) TIFFSetField(tif, TIFFTAG_JPEGQUALITY, int{TiffJpegQuality});
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(Width()));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(Height()));
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, static_cast<std::uint32_t>(std::clamp(RowsPerStrip, 1, Height())));
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_SOFTWARE, "Imbrava Image Library");
  TIFFSetField(tif, TIFFTAG_DATETIME, CurrentDateTime().c_str());
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(XDpi()));
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(YDpi()));

  const bool trueColor = format == TDibFormat::ifColorRgb24;
  const bool paletteImage = format == TDibFormat::ifColor16 || format == TDibFormat::ifColor256;
  const int bits = trueColor ? 8 : BitsPerPixel(format);
  int photometric = PHOTOMETRIC_MINISBLACK;
  if (trueColor) photometric = PHOTOMETRIC_RGB;
  if (paletteImage) photometric = PHOTOMETRIC_PALETTE;
  if (format == TDibFormat::ifBlackAndWhite && ccitt) photometric = PHOTOMETRIC_MINISWHITE;
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, trueColor ? 3 : 1);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
  if (paletteImage) {
    const std::size_t entries = std::size_t{1} << bits;
    std::vector<std::uint16_t> red(entries), green(entries), blue(entries);
    // 8 bits widened to 16 as v x 257 (not v shifted up): readers scale by
    // 255 / 65535, which then gives v back exactly.
    for (std::size_t i = 0; i < std::min<std::size_t>(entries, Palette().count); ++i) {
      red[i] = static_cast<std::uint16_t>(Palette().entries[i].red * 257);
      green[i] = static_cast<std::uint16_t>(Palette().entries[i].green * 257);
      blue[i] = static_cast<std::uint16_t>(Palette().entries[i].blue * 257);
    }
    TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
  }
  const std::pair<ttag_t, const std::string*> texts[] = {
      {TIFFTAG_DOCUMENTNAME, &DocumentName}, {TIFFTAG_IMAGEDESCRIPTION, &ImageDescription},
      {TIFFTAG_MAKE, &Make},                 {TIFFTAG_MODEL, &Model},
      {TIFFTAG_PAGENAME, &PageName},         {TIFFTAG_SOFTWARE, &Software},
      {TIFFTAG_DATETIME, &DateTime},         {TIFFTAG_ARTIST, &Artist},
      {TIFFTAG_HOSTCOMPUTER, &HostComputer}};
  for (const auto& [tag, text] : texts) {
    if (!text->empty()) TIFFSetField(tif, tag, text->c_str());
  }
  for (int i = 0; i < kPrivateTiffTagCount; ++i) {
    if (CustomTags[i].WriteFlag) TIFFSetField(tif, kFirstPrivateTiffTag + i, CustomTags[i].Value.c_str());
  }

  // Fax pages are stored min-is-white: black-and-white rows are complemented.
  const std::size_t rowBytes = (static_cast<std::size_t>(Width()) * BitsPerPixel(format) + 7) / 8;
  std::vector<std::uint8_t> row(rowBytes);
  for (int y = 0; y < Height(); ++y) {
    const std::uint8_t* source = GetScanLine(y);
    if (trueColor) {
      for (int x = 0; x < Width(); ++x) {
        row[3 * x] = source[3 * x + 2];
        row[3 * x + 1] = source[3 * x + 1];
        row[3 * x + 2] = source[3 * x];
      }
    } else if (photometric == PHOTOMETRIC_MINISWHITE) {
      std::transform(source, source + rowBytes, row.begin(), [](std::uint8_t b) { return static_cast<std::uint8_t>(~b); });
    } else {
      std::copy_n(source, rowBytes, row.begin());
    }
    if (TIFFWriteScanline(tif, row.data(), static_cast<std::uint32_t>(y), 0) < 0) {
      throw TiffError("TIFFWriteScanLine");
    }
  }
  if (!TIFFWriteDirectory(tif)) throw TiffError(file.LastError("TIFFWriteDirectory"));
}

}  // namespace huemira
