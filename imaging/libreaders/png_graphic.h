// TPngGraphic: PNG pictures read through libpng into a DIB image.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/exception.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira {

class EPNGError : public Exception {
 public:
  using Exception::Exception;
};

// Set to keep libpng's warnings from reaching the user; per thread, as a
// preview may read on one thread while a picture is converted on another.
extern thread_local bool QuietPngWarnings;

class TPngGraphic : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TPngGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TPngGraphic>(); }

  // The eight bytes of the PNG signature.
  bool CanLoadStream(TStream& stream) override;
  void ReadImage(TStream& stream, int index) override;
  // Written with the settings below; a gray picture cannot carry transparency (EPNGError).
  void SaveToStream(TStream& stream) override;

  // The gamma the last read assumed for the file (0.5 when it named none).
  double FileGamma = 0.5;
  // What transparency is flattened onto when the file names no background
  // (or ReplaceFileBackground is set), 0x00RRGGBB.
  std::uint32_t PngBackground = 0;
  std::uint32_t PngTransparentRgb = 0;
  bool ReplaceFileBackground = false;
  // Settings for writing.
  int DeflateLevel = 1;
  bool WriteInterlaced = true;
  bool WriteBackground = false;
  bool WriteTransparency = false;
};

}  // namespace huemira
