// The inside of the bitmap-codec module: the operations every file type
// supplies, and the helpers the codecs share. Arguments arrive checked.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "imaging/pcx_tga/bmc.h"

namespace huemira {

struct BmcCodec {
  BmcFileTypeDescription description;
  int (*read_header)(TStream& stream, std::string_view options, BmcHeader& header);
  int (*read_color_map)(TStream& stream, const BmcHeader& header, BmcColorMap& color_map);
  int (*read_data)(TStream& stream, const BmcHeader& header, const BmcPixelBuffer& buffer, BmcProgress progress,
                   void* progress_data);
  int (*write)(TStream& stream, const BmcHeader& header, const BmcColorMap& color_map,
               const BmcPixelBuffer& buffer, std::string_view options, BmcProgress progress, void* progress_data);
  const char* (*error_text)(int code);
};

extern const BmcCodec kBitmapCodec;
extern const BmcCodec kPcxCodec;
extern const BmcCodec kTargaCodec;

// True when options (words separated by blanks, tabs or commas) holds word, case-blind.
bool BmcHasOption(std::string_view options, std::string_view word);
// Text for the codes every file type shares.
const char* BmcCommonErrorText(int code);
// Clears a row from byte `from` to its end (the padding after the pixels).
inline void BmcClearTail(std::uint8_t* row, std::size_t from, std::size_t row_bytes) {
  if (from < row_bytes) std::memset(row + from, 0, row_bytes - from);
}
// Clears every row, for a failure before the first row was decoded.
inline void BmcClearAllRows(const BmcPixelBuffer& buffer, std::int32_t height) {
  for (std::int32_t row = 0; row < height; ++row) std::memset(buffer.Row(row), 0, buffer.row_bytes);
}
// Reports row progress as row over last_row, the way all codecs do.
void BmcReportRow(BmcProgress progress, void* progress_data, std::int64_t row, std::int64_t last_row);

}  // namespace huemira
