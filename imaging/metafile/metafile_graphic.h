// TMetafileGraphic: an enhanced (.emf) or Windows (.wmf, placeable or plain)
// metafile played by the system onto a white 24-bit image of the size its
// header gives at the screen's resolution. Its records are checked first and
// played one by one, the drawing records only (emf_record_walker.h); a
// Windows metafile is checked as the system converts it. Windows only.
#pragma once

#ifdef _WIN32

#include "imaging/dib/dib_graphic.h"

namespace huemira {

class TMetafileGraphic : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TMetafileGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TMetafileGraphic>(); }

  // EInvalidGraphic "Metafile is not valid" for anything the system cannot play.
  void ReadImage(TStream& stream, int index) override;
};

void RegisterMetafileFormats();

}  // namespace huemira

#endif
