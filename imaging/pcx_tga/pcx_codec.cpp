// PCX header and colour map, and the codec's entry in the file-type table.
#include "imaging/pcx_tga/pcx_codec.h"

#include "imaging/dib/image_limits.h"
#include "imaging/dib/little_endian.h"

namespace huemira {

namespace {

constexpr std::int64_t kPcxMaxRun = 63;

const char* PcxErrorText(int code) {
  switch (code) {
    case BMC_PCX_BAD_VERSION: return "PCX version not accepted";
    case BMC_PCX_BAD_ENCODING: return "PCX encoding mode is not 1";
    case BMC_PCX_BAD_PLANES: return "unsupported PCX bits per plane and planes";
    case BMC_PCX_BAD_TRAILER: return "corrupt PCX file trailer";
    default: return BmcCommonErrorText(code);
  }
}

}  // namespace

int PcxDeliveredBpp(int bits_per_plane, int planes) {
  if (bits_per_plane == 1 && planes == 1) return 1;
  if (bits_per_plane == 1 && planes == 4) return 4;
  if (bits_per_plane == 4 && planes == 1) return 4;
  if (bits_per_plane == 8 && planes == 1) return 8;
  if (bits_per_plane == 8 && planes == 3) return 24;
  return 0;
}

int PcxReadHeader(TStream& stream, std::string_view options, BmcHeader& header) {
  std::uint8_t bytes[70];
  if (stream.Read(bytes, sizeof bytes) != sizeof bytes) return BMC_CANNOT_READ;
  if (bytes[0] != kPcxManufacturer) return BMC_BAD_MAGIC;
  const std::uint8_t version = bytes[1];
  if (version == 4 || version > 5) return BMC_PCX_BAD_VERSION;
  if (bytes[2] != 1) return BMC_PCX_BAD_ENCODING;
  const std::uint8_t bits_per_plane = bytes[3];
  const std::uint8_t planes = bytes[65];
  const int bpp = PcxDeliveredBpp(bits_per_plane, planes);
  if (bpp == 0) return BMC_PCX_BAD_PLANES;
  const std::int64_t width = std::int64_t{GetLe16(bytes + 8)} - GetLe16(bytes + 4) + 1;
  const std::int64_t height = std::int64_t{GetLe16(bytes + 10)} - GetLe16(bytes + 6) + 1;
  if (!ImageSizeAllowed(width, height)) return BMC_BAD_SIZE;

  PcxHeaderInfo info;
  info.version = version;
  info.bits_per_plane = bits_per_plane;
  info.planes = planes;
  info.bytes_per_line = GetLe16(bytes + 66);
  info.truncate_runs = BmcHasOption(options, "trunc");
  // Two bytes of run-length data give at most 63 bytes of lines: data far too
  // short for the lines the header declares is a header that lies, refused
  // before the picture's memory is taken. (A merely truncated file decodes,
  // its missing tail in white.)
  const std::int64_t line_data = height * planes * std::int64_t{info.bytes_per_line};
  const std::int64_t data = stream.Size() - static_cast<std::int64_t>(kPcxHeaderSize);
  if (data * kPcxMaxRun < line_data * 2) return BMC_BAD_SIZE;
  header.width = static_cast<std::int32_t>(width);
  header.height = static_cast<std::int32_t>(height);
  header.bpp = bpp;
  header.codec = info;
  return BMC_OK;
}

int PcxReadColorMap(TStream& stream, const BmcHeader& header, BmcColorMap& color_map) {
  std::uint8_t bytes[256 * 3];
  std::size_t entries = 0;
  switch (header.bpp) {
    case 1:
      // Whatever the header's map says, a 1-bit picture is black on white.
      color_map[0] = {0, 0, 0};
      color_map[1] = {255, 255, 255};
      return BMC_OK;
    case 4:
      stream.Seek(16, SeekOrigin::Begin);
      entries = 16;
      break;
    case 8: {
      if (stream.Size() < static_cast<std::int64_t>(kPcxTrailerSize)) return BMC_PCX_BAD_TRAILER;
      stream.Seek(-static_cast<std::int64_t>(kPcxTrailerSize), SeekOrigin::End);
      std::uint8_t marker = 0;
      if (stream.Read(&marker, 1) != 1 || marker != kPcxPaletteMarker) return BMC_PCX_BAD_TRAILER;
      entries = 256;
      break;
    }
    default:
      return BMC_OK;
  }
  if (stream.Read(bytes, entries * 3) != entries * 3) return BMC_CANNOT_READ;
  for (std::size_t i = 0; i < entries; ++i) color_map[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
  return BMC_OK;
}

const BmcCodec kPcxCodec = {
    {"PCX", "ZSoft PC Paintbrush Image format", "PCX PCC", 0xFF},
    PcxReadHeader, PcxReadColorMap, PcxReadData, PcxWrite, PcxErrorText,
};

}  // namespace huemira
