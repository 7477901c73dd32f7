// Windows bitmap files (".bmp"): 1, 4, 8, 16, 24 and 32 bits, uncompressed,
// run-length (RLE4, RLE8) or with channel masks (bit fields), stored
// bottom-up or top-down, under an OS/2 core header or a Windows info header
// up to V5.
#pragma once

#include "imaging/dib/dib_graphic.h"

namespace huemira {

class TBmpGraphic : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TBmpGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TBmpGraphic>(); }

  // "BM" and a header size that this reader knows.
  bool CanLoadStream(TStream& stream) override;
  // Reads the bitmap file that starts at the stream's position; index is not
  // used. 1-, 4- and 8-bit bitmaps keep their palette (an index past a short
  // colour table reads as black, as Windows draws it); all others become
  // ifColorRgb24, with any alpha channel left out, as Windows draws them. A
  // file that is truncated, lies about a size or an offset, or holds
  // anything else throws EInvalidGraphic "Bitmap image is not valid".
  void ReadImage(TStream& stream, int index) override;
  // Writes a 24-bit bitmap file.
  void SaveToStream(TStream& stream) override;
};

}  // namespace huemira
