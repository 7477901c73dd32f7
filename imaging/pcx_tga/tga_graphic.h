// Truevision Targa pictures (".tga", ".vst", ".afi").
#pragma once

#include "imaging/dib/dib_graphic.h"
#include "imaging/pcx_tga/pcx_tga_errors.h"

namespace huemira {

class TTgaGraphic : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TTgaGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TTgaGraphic>(); }

  bool CanLoadStream(TStream& stream) override;
  // Decodes the one picture that starts at the stream's position; a Targa
  // file has no further images, so LoadIndex and LoadAllImages do not apply.
  void LoadFromStream(TStream& stream) override;
  // Writes an uncompressed file, bottom row first: true colour as 24 bits,
  // 256-colour and 256-gray pictures colour-mapped. Other formats raise ETgaError.
  void SaveToStream(TStream& stream) override;
};

}  // namespace huemira
