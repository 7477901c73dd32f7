// Pixel formats of the DIB image and their default palettes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/color.h"

namespace huemira {

// The numeric values are fixed: readers map numbers from files onto them.
enum class TDibFormat : std::uint8_t {
  ifBlackAndWhite,
  ifGrayscale16,
  ifGrayscale256,
  ifColor16,
  ifColor256,
  ifColorRgb24
};

// One entry of a logical palette, in the system's (red, green, blue, flags) order.
struct TPaletteEntry {
  std::uint8_t red, green, blue, flags;
};

struct TLogPalette {
  std::uint16_t version = 0x300;
  std::uint16_t count = 0;
  std::array<TPaletteEntry, 256> entries{};
};

// Throws EImbravaError "Internal error: Invalid image format" for a value outside the enumeration.
int BitsPerPixel(TDibFormat format);
// Same error for ifColorRgb24 and anything above it: true colour has no palette.
const TLogPalette& DefaultPalette(TDibFormat format);
// "Black and white", ..., "True color"; empty for a value outside the enumeration.
std::string DibFormatText(TDibFormat format);
bool HasPalette(TDibFormat format);

constexpr TRgbValue DefaultDibBackground = 0x00FFFFFF;
constexpr double DisplayGamma = 2.0;

}  // namespace huemira
