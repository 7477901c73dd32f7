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

  // Reading for a preview: when set, the picture is decoded at the smallest of
  // libjpeg's own scales (1/8, 1/4, 1/2, 1) that still covers this size,
  // which is several times quicker than a full decode of a photo.
  int PreviewWidth = 0;
  int PreviewHeight = 0;
  // The picture's size as the file gives it, also after a reduced read.
  int StoredWidth() const { return storedWidth_; }
  int StoredHeight() const { return storedHeight_; }

  // Settings for writing.
  std::uint8_t JpegQuality = 80;
  bool JpegProgressive = false;

 private:
  int storedWidth_ = 0;
  int storedHeight_ = 0;
};

}  // namespace huemira
