// Windows icon files (".ico"), as the picture window shows them: the largest
// image of the file (by pixels, then bits per pixel; PNG-compressed images
// included) drawn over IconBackground exactly as Windows draws an icon (see
// icon_images.h). The result is a true-colour image of the icon's size, so
// AssignToBitmap24 gives the icon on a white bitmap.
#pragma once

#include "imaging/dib/dib_graphic.h"

namespace huemira {

class TIcon : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TIcon"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TIcon>(); }

  // An icon directory: reserved 0, type 1, at least one image.
  bool CanLoadStream(TStream& stream) override;
  // Reads the icon file that starts at the stream's position; index is not
  // used. A file that is not a sound icon throws EInvalidGraphic "Icon image is not valid".
  void ReadImage(TStream& stream, int index) override;
  // An icon is only read: throws EInvalidGraphicOperation.
  void SaveToStream(TStream& stream) override;

  // What the icon is drawn over, 0x00RRGGBB (white, as the picture conversion needs).
  std::uint32_t IconBackground = DefaultDibBackground;
};

}  // namespace huemira
