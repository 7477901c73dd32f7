// Targa header and colour map, and the codec's entry in the file-type table.
#include "imaging/pcx_tga/tga_codec.h"

#include <algorithm>

#include "imaging/dib/image_limits.h"
#include "imaging/dib/little_endian.h"

namespace huemira {

namespace {

const char* TgaErrorText(int code) {
  switch (code) {
    case BMC_TGA_BAD_DEPTH: return "Targa pixel depth not allowed for the image type";
    case BMC_TGA_BAD_TYPE: return "Targa image type not supported";
    case BMC_TGA_BAD_MAP_ENTRY: return "Targa colour map entries are not 24 bits";
    default: return BmcCommonErrorText(code);
  }
}

}  // namespace

int TgaCheckCombination(const std::uint8_t* bytes) {
  const int image_type = bytes[2];
  const int entry_bits = bytes[7];
  const int depth = bytes[16];
  // Masking the run-length flag maps exactly 1, 9 / 2, 10 / 3, 11 onto 1 / 2 / 3.
  switch (image_type & ~kTgaRunLengthFlag) {
    case kTgaColorMapped:
      if (depth != 8) return BMC_TGA_BAD_DEPTH;
      return entry_bits == 24 ? BMC_OK : BMC_TGA_BAD_MAP_ENTRY;
    case kTgaTrueColor:
      return depth == 16 || depth == 24 || depth == 32 ? BMC_OK : BMC_TGA_BAD_DEPTH;
    case kTgaGray:
      return depth == 8 ? BMC_OK : BMC_TGA_BAD_DEPTH;
    default:
      return BMC_TGA_BAD_TYPE;
  }
}

int TgaReadHeader(TStream& stream, std::string_view, BmcHeader& header) {
  std::uint8_t bytes[kTgaHeaderSize];
  if (stream.Read(bytes, sizeof bytes) != sizeof bytes) return BMC_CANNOT_READ;
  if (const int code = TgaCheckCombination(bytes); code != BMC_OK) return code;
  const std::int32_t width = GetLe16(bytes + 12);
  const std::int32_t height = GetLe16(bytes + 14);
  if (!ImageSizeAllowed(width, height)) return BMC_BAD_SIZE;

  TgaHeaderInfo info;
  info.id_length = bytes[0];
  info.color_map_type = bytes[1];
  info.image_type = bytes[2];
  info.color_map_origin = GetLe16(bytes + 3);
  info.color_map_length = GetLe16(bytes + 5);
  info.color_map_entry_bits = bytes[7];
  info.pixel_depth = bytes[16];
  info.descriptor = bytes[17];
  header.width = width;
  header.height = height;
  header.bpp = info.pixel_depth == 8 ? 8 : 24;
  header.codec = info;
  return BMC_OK;
}

int TgaReadColorMap(TStream& stream, const BmcHeader& header, BmcColorMap& color_map) {
  const auto* info = std::get_if<TgaHeaderInfo>(&header.codec);
  if (!info) return BMC_BAD_ARGUMENT;
  switch (info->image_type & ~kTgaRunLengthFlag) {
    case kTgaColorMapped: {
      stream.Seek(kTgaHeaderSize + info->id_length, SeekOrigin::Begin);
      color_map.fill({0, 0, 0});
      // Entries past index 255 have no place in the picture's palette and are not read.
      const int first = info->color_map_origin;
      const int last = std::min(first + info->color_map_length, 256);
      for (int i = first; i < last; ++i) {
        std::uint8_t bgr[3];
        if (stream.Read(bgr, 3) != 3) return BMC_CANNOT_READ;
        color_map[i] = {bgr[2], bgr[1], bgr[0]};
      }
      return BMC_OK;
    }
    case kTgaGray:
      for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        color_map[i] = {level, level, level};
      }
      return BMC_OK;
    default:
      return BMC_OK;
  }
}

const BmcCodec kTargaCodec = {
    {"Targa", "Truevision Targa/Vista bitmap", "TGA VST AFI", 0xCC},
    TgaReadHeader, TgaReadColorMap, TgaReadData, TgaWrite, TgaErrorText,
};

}  // namespace huemira
