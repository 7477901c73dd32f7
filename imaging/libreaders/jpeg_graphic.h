// TJpegGraphic: JPEG pictures read through libjpeg into a DIB image.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/exception.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira {

class EJpegError : public Exception {
 public:
  using Exception::Exception;
};

class TJpegGraphic : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TJpegGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TJpegGraphic>(); }

  // Only JFIF files: FF D8 FF E0, then "JFIF" and a zero byte at offset 6.
  bool CanLoadStream(TStream& stream) override;
  void ReadImage(TStream& stream, int index) override;
  // Gray scale and true colour only: EJpegError otherwise.
  void SaveToStream(TStream& stream) override;

  // Settings for writing.
  std::uint8_t JpegQuality = 80;
  bool JpegProgressive = false;
};

}  // namespace huemira
