// Pieces of the Targa codec shared between its reading and writing halves.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/pcx_tga/bmc_codec.h"

namespace huemira {

constexpr std::size_t kTgaHeaderSize = 18;
constexpr std::uint8_t kTgaTopDown = 0x20;  // descriptor bit: the first stored row is the top row
constexpr std::uint8_t kTgaRunLengthFlag = 8;  // image types 9, 10, 11 are 1, 2, 3 run-length encoded

enum TgaImageType : std::uint8_t { kTgaColorMapped = 1, kTgaTrueColor = 2, kTgaGray = 3 };

// The codec result for an 18-byte header: BMC_OK when its type, depth and
// colour-map entry size form an accepted combination (the size is not checked).
int TgaCheckCombination(const std::uint8_t* header);

int TgaReadHeader(TStream& stream, std::string_view options, BmcHeader& header);
int TgaReadColorMap(TStream& stream, const BmcHeader& header, BmcColorMap& color_map);
int TgaReadData(TStream& stream, const BmcHeader& header, const BmcPixelBuffer& buffer, BmcProgress progress,
                void* progress_data);
int TgaWrite(TStream& stream, const BmcHeader& header, const BmcColorMap& color_map, const BmcPixelBuffer& buffer,
             std::string_view options, BmcProgress progress, void* progress_data);

}  // namespace huemira
