// The bitmap-codec module: a small table of file types (Windows bitmap, PCX,
// Targa), each with operations that read a header, a colour map and the pixel
// data straight into a caller's bottom-up, 32-bit-padded pixel buffer, and
// write such a buffer back out. Every operation returns a result code, 0 for
// success; the graphic classes turn failures into exceptions.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "framework/stream.h"

namespace huemira {

// Result codes shared by all file types.
enum BmcCode : int {
  BMC_OK = 0,
  BMC_OUT_OF_MEMORY = 1,
  BMC_NOT_SUPPORTED = 2,
  BMC_BAD_OPTIONS = 3,
  BMC_NOT_FOUND = 4,
  BMC_BAD_MAGIC = 5,
  BMC_BAD_SIZE = 6,
  BMC_CANNOT_READ = 7,
  BMC_CANNOT_WRITE = 8,
  BMC_BAD_ARGUMENT = 9,
  // PCX codec
  BMC_PCX_BAD_VERSION = 700,
  BMC_PCX_BAD_ENCODING = 701,
  BMC_PCX_BAD_PLANES = 702,
  BMC_PCX_BAD_TRAILER = 703,
  // Targa codec
  BMC_TGA_BAD_DEPTH = 400,
  BMC_TGA_BAD_TYPE = 401,
  BMC_TGA_BAD_MAP_ENTRY = 402,
};

// Positions in the file-type table, which is searched in this order.
enum BmcFileType : int { BMC_FILETYPE_BITMAP = 0, BMC_FILETYPE_PCX = 1, BMC_FILETYPE_TARGA = 2 };
constexpr int kBmcFileTypeCount = 3;

// Capability flags: bits 0-3 read 1, 4, 8, 24 bits per pixel; bits 4-7 write them.
struct BmcFileTypeDescription {
  const char* short_name;
  const char* long_name;
  const char* extensions;  // upper case, separated by spaces
  std::uint8_t flags;
};

// What the PCX codec remembers between reading the header and the data.
struct PcxHeaderInfo {
  std::uint8_t version = 0;
  std::uint8_t bits_per_plane = 0;
  std::uint8_t planes = 0;
  std::uint16_t bytes_per_line = 0;
  bool truncate_runs = false;  // option "trunc": a run never carries over to the next line
};

// What the Targa codec remembers between reading the header and the data.
struct TgaHeaderInfo {
  std::uint8_t id_length = 0;
  std::uint8_t color_map_type = 0;
  std::uint8_t image_type = 0;
  std::uint16_t color_map_origin = 0;
  std::uint16_t color_map_length = 0;
  std::uint8_t color_map_entry_bits = 0;
  std::uint8_t pixel_depth = 0;
  std::uint8_t descriptor = 0;
};

struct BmcHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bpp = 0;  // bits per delivered pixel: 1, 4, 8 or 24
  std::variant<std::monostate, PcxHeaderInfo, TgaHeaderInfo> codec;
};

struct BmcRgb {
  std::uint8_t red, green, blue;
};
using BmcColorMap = std::array<BmcRgb, 256>;

// The caller's pixels: buffer row 0 is the bottom of the picture, each row
// holds row_bytes bytes (padded to 32 bits), 24-bit pixels are blue, green,
// red. row_step may be negative, so any row-addressable image fits. Reading
// writes every byte of every row, padding included (0), also when it fails:
// rows the data never reached are cleared, so the buffer need not be.
struct BmcPixelBuffer {
  std::uint8_t* bottom_row = nullptr;
  std::ptrdiff_t row_step = 0;
  std::size_t row_bytes = 0;

  std::uint8_t* Row(std::int32_t buffer_row) const { return bottom_row + buffer_row * row_step; }
};

// Receives progress in percent (0..100) with the caller's data.
using BmcProgress = void (*)(int percent, void* data);

// The file type whose extension list holds file_name's extension (case-blind).
int bmc_guess_filetype(const char* file_name, int* file_type);
int bmc_describe_filetype(int file_type, BmcFileTypeDescription* description);
// options: words separated by blanks, tabs or commas.
int bmc_read_header(const char* file_name, TStream* stream, int file_type, const char* options, BmcHeader* header);
int bmc_read_color_map(TStream* stream, int file_type, const BmcHeader* header, BmcColorMap* color_map);
int bmc_read_data(TStream* stream, int file_type, const BmcHeader* header, const BmcPixelBuffer* buffer,
                  BmcProgress progress, void* progress_data);
int bmc_write(const char* file_name, TStream* stream, int file_type, const BmcHeader* header,
              const BmcColorMap* color_map, const BmcPixelBuffer* buffer, const char* options,
              BmcProgress progress, void* progress_data);
// A short English text for a code of the given file type.
const char* bmc_error_text(int file_type, int code);

}  // namespace huemira
