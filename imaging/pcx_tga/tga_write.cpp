// Writing a bottom-up buffer as an uncompressed Targa file: 8-bit pictures
// colour-mapped, 24-bit ones as true colour of 16, 24 or 32 stored bits.
#include <new>
#include <vector>

#include "imaging/dib/little_endian.h"
#include "imaging/pcx_tga/tga_codec.h"

namespace huemira {

namespace {

// The stored depth the options choose, or 0 when they contradict each other or the picture.
int StoredDepth(int bpp, std::string_view options) {
  const bool d16 = BmcHasOption(options, "16");
  const bool d24 = BmcHasOption(options, "24");
  const bool d32 = BmcHasOption(options, "32");
  const int chosen = d16 + d24 + d32;
  if (bpp == 8) return chosen == 0 ? 8 : 0;
  if (chosen > 1) return 0;
  return d16 ? 16 : d32 ? 32 : 24;
}

void PackRow(const std::uint8_t* row, std::int32_t width, int depth, std::uint8_t* out) {
  for (std::int32_t x = 0; x < width; ++x) {
    const std::uint8_t* bgr = row + 3 * x;
    if (depth == 16) {
      PutLe16(out + 2 * x, ((bgr[2] >> 3) << 10) | ((bgr[1] >> 3) << 5) | (bgr[0] >> 3));
    } else {
      std::uint8_t* pixel = out + 4 * x;
      pixel[0] = bgr[0];
      pixel[1] = bgr[1];
      pixel[2] = bgr[2];
      pixel[3] = 0xFF;  // opaque, for readers that honour alpha
    }
  }
}

}  // namespace

int TgaWrite(TStream& stream, const BmcHeader& header, const BmcColorMap& color_map, const BmcPixelBuffer& buffer,
             std::string_view options, BmcProgress progress, void* progress_data) {
  if (header.bpp != 8 && header.bpp != 24) return BMC_NOT_SUPPORTED;
  if (header.width < 1 || header.height < 1 || header.width > 0xFFFF || header.height > 0xFFFF) return BMC_BAD_SIZE;
  const int depth = StoredDepth(header.bpp, options);
  const bool top_down = BmcHasOption(options, "ydown");
  if (depth == 0 || (top_down && BmcHasOption(options, "yup"))) return BMC_BAD_OPTIONS;

  std::uint8_t head[kTgaHeaderSize] = {};
  if (header.bpp == 8) {
    head[1] = 1;
    head[2] = kTgaColorMapped;
    PutLe16(head + 5, 256);
    head[7] = 24;
  } else {
    head[2] = kTgaTrueColor;
  }
  PutLe16(head + 12, static_cast<std::uint32_t>(header.width));
  PutLe16(head + 14, static_cast<std::uint32_t>(header.height));
  head[16] = static_cast<std::uint8_t>(depth);
  head[17] = top_down ? kTgaTopDown : 0;

  try {
    if (stream.Write(head, sizeof head) != sizeof head) return BMC_CANNOT_WRITE;
    if (header.bpp == 8) {
      std::uint8_t map[256 * 3];
      for (int i = 0; i < 256; ++i) {
        map[3 * i] = color_map[i].blue;
        map[3 * i + 1] = color_map[i].green;
        map[3 * i + 2] = color_map[i].red;
      }
      if (stream.Write(map, sizeof map) != sizeof map) return BMC_CANNOT_WRITE;
    }
    const std::size_t line_bytes = static_cast<std::size_t>(header.width) * (depth / 8);
    std::vector<std::uint8_t> packed(depth == 16 || depth == 32 ? line_bytes : 0);
    for (std::int32_t r = 0; r < header.height; ++r) {
      const std::uint8_t* row = buffer.Row(top_down ? header.height - 1 - r : r);
      if (!packed.empty()) {
        PackRow(row, header.width, depth, packed.data());
        row = packed.data();
      }
      if (stream.Write(row, line_bytes) != line_bytes) return BMC_CANNOT_WRITE;
      BmcReportRow(progress, progress_data, r, header.height - 1);
    }
  } catch (const std::bad_alloc&) {
    return BMC_OUT_OF_MEMORY;
  }
  return BMC_OK;
}

}  // namespace huemira
