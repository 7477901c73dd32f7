// Pieces of the PCX codec shared between its reading and writing halves.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/pcx_tga/bmc_codec.h"

namespace huemira {

constexpr std::size_t kPcxHeaderSize = 128;
constexpr std::uint8_t kPcxManufacturer = 10;
constexpr std::uint8_t kPcxPaletteMarker = 12;  // first byte of the 769-byte 256-colour trailer
constexpr std::size_t kPcxTrailerSize = 1 + 256 * 3;

// Delivered bits per pixel for a bits-per-plane x planes combination, 0 when refused.
int PcxDeliveredBpp(int bits_per_plane, int planes);

int PcxReadHeader(TStream& stream, std::string_view options, BmcHeader& header);
int PcxReadColorMap(TStream& stream, const BmcHeader& header, BmcColorMap& color_map);
int PcxReadData(TStream& stream, const BmcHeader& header, const BmcPixelBuffer& buffer, BmcProgress progress,
                void* progress_data);
int PcxWrite(TStream& stream, const BmcHeader& header, const BmcColorMap& color_map, const BmcPixelBuffer& buffer,
             std::string_view options, BmcProgress progress, void* progress_data);

}  // namespace huemira
