// The images an icon file holds, drawn over a background colour the way
// Windows draws an icon (DrawIconEx with DI_NORMAL):
// - an image with an alpha channel is blended over the background, with the
//   colour first multiplied by its alpha and rounded, then the background
//   times (255 - alpha) added, rounded again (what AlphaBlend does);
// - a bitmap without one gives (background AND mask) XOR colour: the AND
//   mask keeps the background where it is set and the colour is XORed in, so
//   that a set mask under a non-black colour inverts the background;
// - a 32-bit bitmap whose alpha bytes are all zero has no alpha channel and
//   is drawn through its mask.
#pragma once

#include <cstdint>

#include "framework/stream.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira {

// The channel value of colour with the given alpha over background.
constexpr std::uint8_t BlendOver(std::uint8_t color, std::uint8_t alpha, std::uint8_t background) {
  return static_cast<std::uint8_t>((color * alpha + 127) / 255 + (background * (255 - alpha) + 127) / 255);
}

// Each draws the image that is all of stream into image, which becomes an
// ifColorRgb24 image of the icon's size; background is 0x00RRGGBB. An image
// that is not sound throws EInvalidGraphic(kInvalidIcon).
void DrawBitmapIconImage(TStream& stream, TDibGraphic& image, std::uint32_t background);
void DrawPngIconImage(TStream& stream, TDibGraphic& image, std::uint32_t background);

}  // namespace huemira
