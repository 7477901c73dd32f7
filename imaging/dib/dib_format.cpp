#include "imaging/dib/dib_format.h"

#include <iterator>

#include "imaging/dib/imbrava_error.h"

namespace huemira {
namespace {

const char* const kInvalidFormat = "Internal error: Invalid image format";

TLogPalette GrayPalette(int count, int step) {
  TLogPalette palette;
  palette.count = static_cast<std::uint16_t>(count);
  for (int i = 0; i < count; ++i) {
    const auto level = static_cast<std::uint8_t>(i * step);
    palette.entries[i] = {level, level, level, 0};
  }
  return palette;
}

TLogPalette BlackAndWhitePalette() {
  TLogPalette palette;
  palette.count = 2;
  palette.entries[0] = {0, 0, 0, 0};
  palette.entries[1] = {255, 255, 255, 0};
  return palette;
}

constexpr std::uint8_t kColor16[16][3] = {
    {0, 0, 0},      {0, 0, 170},    {0, 170, 0},    {0, 170, 170}, {170, 0, 0},     {170, 0, 170},
    {170, 85, 0},   {170, 170, 170}, {85, 85, 85},  {85, 85, 255}, {85, 255, 85},   {85, 255, 255},
    {255, 85, 85},  {255, 85, 255}, {255, 255, 85}, {255, 255, 255}};

TLogPalette Color16Palette() {
  TLogPalette palette;
  palette.count = 16;
  for (int i = 0; i < 16; ++i) palette.entries[i] = {kColor16[i][0], kColor16[i][1], kColor16[i][2], 0};
  return palette;
}

// The VGA hardware holds 6-bit components; spreading the top bits into the
// low ones maps 63 to 255 exactly.
constexpr std::uint8_t WidenVga(int v) { return static_cast<std::uint8_t>((v << 2) | (v >> 4)); }

// The standard VGA default palette: the 16 EGA colours, a 16-step gray ramp,
// nine blocks of 24 hues around the colour wheel (high, medium and low
// intensity, each at high, medium and low saturation), then 8 blacks. Each
// block walks from blue over magenta, red, yellow, green and cyan back to
// blue using five component levels from the block's minimum to its maximum.
TLogPalette Color256Palette() {
  TLogPalette palette;
  palette.count = 256;
  for (int i = 0; i < 16; ++i) palette.entries[i] = {kColor16[i][0], kColor16[i][1], kColor16[i][2], 0};

  constexpr int kGrayRamp[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
  for (int i = 0; i < 16; ++i) {
    const auto level = WidenVga(kGrayRamp[i]);
    palette.entries[16 + i] = {level, level, level, 0};
  }

  constexpr int kLevels[9][5] = {
      {0x00, 0x10, 0x1F, 0x2F, 0x3F}, {0x1F, 0x27, 0x2F, 0x37, 0x3F}, {0x2D, 0x31, 0x36, 0x3A, 0x3F},
      {0x00, 0x07, 0x0E, 0x15, 0x1C}, {0x0E, 0x11, 0x15, 0x18, 0x1C}, {0x14, 0x16, 0x18, 0x1A, 0x1C},
      {0x00, 0x04, 0x08, 0x0C, 0x10}, {0x08, 0x0A, 0x0C, 0x0E, 0x10}, {0x0B, 0x0C, 0x0D, 0x0F, 0x10}};
  // Level number of (red, green, blue) at each of the 24 hue positions.
  constexpr int kHues[24][3] = {
      {0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3}, {4, 0, 2}, {4, 0, 1},
      {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0}, {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0},
      {0, 4, 0}, {0, 4, 1}, {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4}};
  int index = 32;
  for (const auto& levels : kLevels) {
    for (const auto& hue : kHues) {
      palette.entries[index++] = {WidenVga(levels[hue[0]]), WidenVga(levels[hue[1]]), WidenVga(levels[hue[2]]), 0};
    }
  }
  // entries 248 ... 255 stay black.

  // Three entries of our table differ from the VGA one; pictures written with
  // it depend on them.
  palette.entries[30] = {227, 179, 179, 0};
  palette.entries[85] = {223, 182, 235, 0};
  palette.entries[96] = {182, 223, 182, 0};
  return palette;
}

struct DefaultPalettes {
  TLogPalette blackAndWhite = BlackAndWhitePalette();
  TLogPalette gray16 = GrayPalette(16, 17);
  TLogPalette gray256 = GrayPalette(256, 1);
  TLogPalette color16 = Color16Palette();
  TLogPalette color256 = Color256Palette();
};

const DefaultPalettes& Palettes() {
  static const DefaultPalettes palettes;
  return palettes;
}

}  // namespace

int BitsPerPixel(TDibFormat format) {
  constexpr int kBits[] = {1, 4, 8, 4, 8, 24};
  // Every value outside the enumeration is refused, including those whose low
  // seven bits would name a format: no routine exists for them.
  const unsigned value = static_cast<unsigned>(format);
  if (value >= std::size(kBits)) throw EImbravaError(kInvalidFormat);
  return kBits[value];
}

const TLogPalette& DefaultPalette(TDibFormat format) {
  const auto& palettes = Palettes();
  switch (format) {
    case TDibFormat::ifBlackAndWhite: return palettes.blackAndWhite;
    case TDibFormat::ifGrayscale16: return palettes.gray16;
    case TDibFormat::ifGrayscale256: return palettes.gray256;
    case TDibFormat::ifColor16: return palettes.color16;
    case TDibFormat::ifColor256: return palettes.color256;
    default: throw EImbravaError(kInvalidFormat);
  }
}

std::string DibFormatText(TDibFormat format) {
  switch (format) {
    case TDibFormat::ifBlackAndWhite: return "Black and white";
    case TDibFormat::ifGrayscale16: return "16 shades of gray";
    case TDibFormat::ifGrayscale256: return "256 shades of gray";
    case TDibFormat::ifColor16: return "16 color";
    case TDibFormat::ifColor256: return "256 color";
    case TDibFormat::ifColorRgb24: return "True color";
  }
  return {};
}

bool HasPalette(TDibFormat format) { return format != TDibFormat::ifColorRgb24; }

}  // namespace huemira
