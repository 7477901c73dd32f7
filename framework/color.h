// The program's one colour type, and the named conversions to the byte order
// of the imaging library's pixel values.
#pragma once

#include <cstdint>

namespace huemira {

// A colour value laid out as Windows lays out a COLORREF: 0x00BBGGRR, red in
// the low byte. Values with the top bit set name system colours, resolved
// where they are drawn or formatted.
using TColor = std::uint32_t;

// Each component contributes only its low 8 bits.
constexpr TColor MakeColor(int red, int green, int blue) {
  return (static_cast<TColor>(blue & 0xFF) << 16) | (static_cast<TColor>(green & 0xFF) << 8) |
         static_cast<TColor>(red & 0xFF);
}
constexpr std::uint8_t RedOf(TColor color) { return static_cast<std::uint8_t>(color); }
constexpr std::uint8_t GreenOf(TColor color) { return static_cast<std::uint8_t>(color >> 8); }
constexpr std::uint8_t BlueOf(TColor color) { return static_cast<std::uint8_t>(color >> 16); }

// The imaging library's pixel value: 0x00RRGGBB, red in the high byte, the
// order in which picture files and their palettes name a colour.
using TRgbValue = std::uint32_t;

constexpr TRgbValue MakeRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return (TRgbValue{red} << 16) | (TRgbValue{green} << 8) | blue;
}
constexpr TColor ColorFromRgb(TRgbValue rgb) {
  return MakeColor(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}
constexpr TRgbValue RgbFromColor(TColor color) { return MakeRgb(RedOf(color), GreenOf(color), BlueOf(color)); }

}  // namespace huemira
