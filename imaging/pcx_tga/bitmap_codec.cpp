// File-type entry 0. Windows bitmaps are read by the framework itself, and no
// caller of this module asks for them, so the entry only describes the type.
#include "imaging/pcx_tga/bmc_codec.h"

namespace huemira {

namespace {

int NotSupportedHeader(TStream&, std::string_view, BmcHeader&) { return BMC_NOT_SUPPORTED; }
int NotSupportedColorMap(TStream&, const BmcHeader&, BmcColorMap&) { return BMC_NOT_SUPPORTED; }
int NotSupportedData(TStream&, const BmcHeader&, const BmcPixelBuffer&, BmcProgress, void*) {
  return BMC_NOT_SUPPORTED;
}
int NotSupportedWrite(TStream&, const BmcHeader&, const BmcColorMap&, const BmcPixelBuffer&, std::string_view,
                      BmcProgress, void*) {
  return BMC_NOT_SUPPORTED;
}

}  // namespace

const BmcCodec kBitmapCodec = {
    {"Bitmap", "OS/2 1.1, 1.2, 2.0 / Windows 3.0 bitmap", "BMP VGA BGA RLE DIB RL4 RL8", 0xFF},
    NotSupportedHeader, NotSupportedColorMap, NotSupportedData, NotSupportedWrite, BmcCommonErrorText,
};

}  // namespace huemira
