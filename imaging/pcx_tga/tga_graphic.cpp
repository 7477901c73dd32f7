#include "imaging/pcx_tga/tga_graphic.h"

#include "imaging/pcx_tga/codec_io.h"
#include "imaging/dib/picture_start.h"
#include "imaging/pcx_tga/tga_codec.h"

namespace huemira {

namespace {

constexpr char kNominalName[] = "File.tga";

}  // namespace

bool TTgaGraphic::CanLoadStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t header[kTgaHeaderSize];
  const std::size_t got = stream.Read(header, sizeof header);
  stream.SetPosition(start);
  return got == sizeof header && TgaCheckCombination(header) == BMC_OK;
}

void TTgaGraphic::LoadFromStream(TStream& stream) {
  ReadFromPictureStart(stream, [this](TStream& picture) {
    picture.SetPosition(0);
    ReadThroughCodec(picture, *this, kNominalName, "");
  });
}

void TTgaGraphic::SaveToStream(TStream& stream) {
  int bpp = 0;
  switch (DibFormat()) {
    case TDibFormat::ifGrayscale256:
    case TDibFormat::ifColor256: bpp = 8; break;
    case TDibFormat::ifColorRgb24: bpp = 24; break;
    default: throw ETgaError("TARGA image must be true color or 8 bit with palette");
  }
  WriteThroughCodec(stream, *this, bpp, kNominalName, "");
}

}  // namespace huemira
