// The program's one colour type, the system colours it names, and the named
// conversions to the byte order of the imaging library's pixel values.
#pragma once

#include <cstdint>

namespace huemira {

// A colour value laid out as Windows lays out a COLORREF: 0x00BBGGRR, red in
// the low byte. A value with the top bit set names a system colour by its
// platform index and is resolved to RGB where it is drawn or formatted.
using TColor = std::uint32_t;

// Each component contributes only its low 8 bits.
constexpr TColor MakeColor(int red, int green, int blue) {
  return (static_cast<TColor>(blue & 0xFF) << 16) | (static_cast<TColor>(green & 0xFF) << 8) |
         static_cast<TColor>(red & 0xFF);
}
constexpr std::uint8_t RedOf(TColor color) { return static_cast<std::uint8_t>(color); }
constexpr std::uint8_t GreenOf(TColor color) { return static_cast<std::uint8_t>(color >> 8); }
constexpr std::uint8_t BlueOf(TColor color) { return static_cast<std::uint8_t>(color >> 16); }

inline constexpr TColor kSystemColorFlag = 0x80000000u;
inline constexpr bool IsSystemColor(TColor color) { return (color & kSystemColorFlag) != 0; }

// System colours, by the platform's colour indices.
inline constexpr TColor clInactiveCaption = kSystemColorFlag | 3;
inline constexpr TColor clMenuText = kSystemColorFlag | 7;
inline constexpr TColor clHighlight = kSystemColorFlag | 13;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clBtnShadow = kSystemColorFlag | 16;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clSilver = 0xC0C0C0;
// No colour at all.
inline constexpr TColor clNone = 0x1FFFFFFF;

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
