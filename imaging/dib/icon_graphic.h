// TIconGraphic: a Windows icon as a DIB image (Windows only). Reading draws
// the icon over IconBackground; writing makes an opaque icon of the system
// icon size with the image in its top-left corner.
#pragma once

#ifdef _WIN32

#include "imaging/dib/dib_graphic.h"

namespace huemira {

class TIconGraphic : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TIconGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TIconGraphic>(); }

  // True for an icon directory whose first entry is 16, 32 or 64 pixels square.
  bool CanLoadStream(TStream& stream) override;
  // Reads the first icon of the file; index is ignored. EInvalidGraphic "Invalid icon" for anything else.
  void ReadImage(TStream& stream, int index) override;
  void SaveToStream(TStream& stream) override;

  std::uint32_t IconBackground = DefaultDibBackground;
};

}  // namespace huemira

#endif
