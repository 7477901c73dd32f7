// TTiffGraphic: TIFF pictures (any page of a multi-page file) read through
// libtiff into a DIB image.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "imaging/dib/dib_graphic.h"
#include "imaging/libreaders/tiff_compression.h"
#include "imaging/libreaders/tiff_error.h"
#include "imaging/libreaders/tiff_private_tags.h"

namespace huemira {

class TiffFile;

// The text of one private tag and whether it is read from and written to files.
class TCustomTiffTag {
 public:
  std::uint8_t ReadFlag = 0;
  std::uint8_t WriteFlag = 0;
  std::string Value;
};

class TTiffGraphic : public TDibGraphic {
 public:
  TTiffGraphic();

  const char* ClassName() const override { return "TTiffGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TTiffGraphic>(); }

  using TDibGraphic::Assign;
  // Also takes RowsPerStrip from another TTiffGraphic.
  void Assign(const TDibGraphic* source);

  // "II", 42, 0 or "MM", 0, 42.
  bool CanLoadStream(TStream& stream) override;
  // The number of pages (image directories).
  int GetImageCount(TStream& stream) override;
  // Reads page index (1-based).
  void ReadImage(TStream& stream, int index) override;
  // Writes the picture as a one-page TIFF.
  void SaveToStream(TStream& stream) override;
  // Adds the picture as a further page (a first page to an empty stream).
  void AppendImage(TStream& stream) override;
  // Also picks the compression a new image of the format is written with.
  void NewImage(std::int32_t width, std::int32_t height, TDibFormat format, const TLogPalette* palette,
                std::uint16_t xdpi, std::uint16_t ydpi) override;

  TTiffCompression Compression() const { return compression_; }
  // EImbravaError "%s compression not supported with %s images" when the
  // image's format cannot be stored that way.
  void SetCompression(TTiffCompression compression);

  // 2147483647 means the whole image is one strip.
  std::int32_t RowsPerStrip = 2147483647;
  // Tag 40000 + i is CustomTags[i].
  std::array<TCustomTiffTag, kPrivateTiffTagCount> CustomTags;
  std::string DocumentName, ImageDescription, Make, Model, PageName, Software, DateTime, Artist, HostComputer;
  std::uint8_t TiffJpegQuality = 75;

 private:
  void WritePage(const TiffFile& file);

  TTiffCompression compression_ = TTiffCompression::tcNone;
};

}  // namespace huemira
