#include "imaging/libreaders/tiff_compression.h"

#include <tiffio.h>

#include "imaging/dib/imbrava_error.h"
#include "imaging/dib/text_format.h"
#include "imaging/libreaders/tiff_error.h"

namespace huemira {

std::string TiffCompressionText(TTiffCompression compression) {
  switch (compression) {
    case TTiffCompression::tcNone: return "None";
    case TTiffCompression::tcPackbits: return "Packbits";
    case TTiffCompression::tcCcittGroup3_1D: return "CCITT Group 3, 1D";
    case TTiffCompression::tcCcittGroup3_2D: return "CCITT Group 3, 2D";
    case TTiffCompression::tcCcittGroup4: return "CCITT Group 4";
    case TTiffCompression::tcZLib: return "ZLib";
    case TTiffCompression::tcJpeg: return "JPEG";
  }
  return "";
}

TTiffCompression TiffCompressionFromTag(int tag, std::uint32_t t4Options) {
  switch (tag) {
    case COMPRESSION_NONE: return TTiffCompression::tcNone;
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW: return TTiffCompression::tcCcittGroup3_1D;
    case COMPRESSION_CCITTFAX3:
      return (t4Options & GROUP3OPT_2DENCODING) ? TTiffCompression::tcCcittGroup3_2D
                                                : TTiffCompression::tcCcittGroup3_1D;
    case COMPRESSION_CCITTFAX4: return TTiffCompression::tcCcittGroup4;
    case COMPRESSION_JPEG: return TTiffCompression::tcJpeg;
    case COMPRESSION_PACKBITS: return TTiffCompression::tcPackbits;
    // Deflate has two tags: the early private one and the one that current
    // writers (ImageMagick, libtiff's own tools) use. Both are the same zlib stream.
    case COMPRESSION_DEFLATE:
    case COMPRESSION_ADOBE_DEFLATE: return TTiffCompression::tcZLib;
    default: throw TiffError(FormatText("Unsupported compression tag, %d", tag));
  }
}

void RequireCompressionAllowed(TTiffCompression compression, TDibFormat format) {
  bool allowed = compression == TTiffCompression::tcNone || compression == TTiffCompression::tcPackbits ||
                 compression == TTiffCompression::tcZLib;
  switch (format) {
    case TDibFormat::ifBlackAndWhite:
      allowed = allowed || compression == TTiffCompression::tcCcittGroup3_1D ||
                compression == TTiffCompression::tcCcittGroup3_2D || compression == TTiffCompression::tcCcittGroup4;
      break;
    case TDibFormat::ifGrayscale256:
    case TDibFormat::ifColorRgb24:
      allowed = allowed || compression == TTiffCompression::tcJpeg;
      break;
    default:
      break;
  }
  if (!allowed) {
    throw EImbravaError(FormatText("%s compression not supported with %s images",
                                   TiffCompressionText(compression).c_str(), DibFormatText(format).c_str()));
  }
}

}  // namespace huemira
