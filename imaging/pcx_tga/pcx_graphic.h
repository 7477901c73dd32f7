// ZSoft PC Paintbrush pictures (".pcx", ".pcc").
#pragma once

#include "imaging/dib/dib_graphic.h"
#include "imaging/pcx_tga/pcx_tga_errors.h"

namespace huemira {

class TPcxGraphic : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TPcxGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TPcxGraphic>(); }

  bool CanLoadStream(TStream& stream) override;
  // Decodes the PCX file that starts at the stream's position; index is not used.
  void ReadImage(TStream& stream, int index) override;
  // Writes the image as a PCX file at the stream's position, which ends up after it.
  void SaveToStream(TStream& stream) override;
};

}  // namespace huemira
