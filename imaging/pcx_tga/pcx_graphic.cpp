#include "imaging/pcx_tga/pcx_graphic.h"

#include "imaging/pcx_tga/codec_io.h"
#include "imaging/dib/little_endian.h"
#include "imaging/pcx_tga/pcx_codec.h"
#include "imaging/dib/picture_start.h"

namespace huemira {

namespace {

constexpr char kNominalName[] = "File.pcx";
constexpr std::int64_t kResolutionOffset = 12;

int BitsPerPixelForPcx(TDibFormat format) {
  switch (format) {
    case TDibFormat::ifBlackAndWhite: return 1;
    case TDibFormat::ifGrayscale256:
    case TDibFormat::ifColor256: return 8;
    case TDibFormat::ifColorRgb24: return 24;
    default: return 4;
  }
}

}  // namespace

bool TPcxGraphic::CanLoadStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t header[kPcxHeaderSize];
  const std::size_t got = stream.Read(header, sizeof header);
  stream.SetPosition(start);
  if (got != sizeof header) return false;
  const std::uint8_t version = header[1];
  const std::uint8_t bits_per_plane = header[3];
  return header[0] == kPcxManufacturer && (version == 0 || (version >= 2 && version <= 5)) && header[2] == 1 &&
         (bits_per_plane == 1 || bits_per_plane == 2 || bits_per_plane == 4 || bits_per_plane == 8);
}

void TPcxGraphic::ReadImage(TStream& stream, int) {
  ReadFromPictureStart(stream, [this](TStream& picture) {
    // A header too short for these words fails in the codec just below.
    std::uint8_t resolution[4] = {};
    picture.SetPosition(kResolutionOffset);
    picture.Read(resolution, sizeof resolution);
    picture.SetPosition(0);
    ReadThroughCodec(picture, *this, kNominalName, "");
    SetXDpi(GetLe16(resolution));
    SetYDpi(GetLe16(resolution + 2));
  });
}

void TPcxGraphic::SaveToStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  WriteThroughCodec(stream, *this, BitsPerPixelForPcx(DibFormat()), kNominalName, "");
  const std::int64_t end = stream.Position();
  std::uint8_t resolution[4];
  PutLe16(resolution, XDpi());
  PutLe16(resolution + 2, YDpi());
  stream.SetPosition(start + kResolutionOffset);
  stream.WriteBuffer(resolution, sizeof resolution);
  stream.SetPosition(end);
}

}  // namespace huemira
