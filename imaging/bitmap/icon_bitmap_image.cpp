// Icon images stored as a bitmap: the colour (XOR) bitmap, then the AND mask
// of one bit per pixel, both bottom-up with rows padded to 32 bits.
#include <vector>

#include "framework/color.h"
#include "framework/exception.h"
#include "imaging/bitmap/dib_header.h"
#include "imaging/bitmap/dib_rows.h"
#include "imaging/bitmap/icon_directory.h"
#include "imaging/bitmap/icon_images.h"
#include "imaging/dib/image_limits.h"

namespace huemira {
namespace {

// Reads the colour rows bottom-up, as BGRA.
class TColorRows {
 public:
  TColorRows(TStream& stream, const TDibHeader& header, const TDibRowConverter& converter)
      : stream_(stream),
        header_(header),
        converter_(converter),
        stored_(static_cast<std::size_t>(header.Stride())),
        bgra_(static_cast<std::size_t>(header.width) * 4) {}

  const std::uint8_t* Row(int fileRow) {
    ReadBytesAt(stream_, header_.TableEnd() + fileRow * header_.Stride(), stored_.data(), stored_.size(), kInvalidIcon);
    converter_.ToBgra(stored_.data(), bgra_.data());
    return bgra_.data();
  }

 private:
  TStream& stream_;
  const TDibHeader& header_;
  const TDibRowConverter& converter_;
  std::vector<std::uint8_t> stored_;
  std::vector<std::uint8_t> bgra_;
};

bool AnyAlpha(TColorRows& rows, const TDibHeader& header) {
  for (int row = 0; row < header.height; ++row) {
    const std::uint8_t* bgra = rows.Row(row);
    for (int x = 0; x < header.width; ++x) {
      if (bgra[4 * x + 3] != 0) return true;
    }
  }
  return false;
}

}  // namespace

void DrawBitmapIconImage(TStream& stream, TDibGraphic& image, std::uint32_t background) {
  const TDibHeader header = ReadDibHeader(stream, 0, TDibUse::IconImage, kInvalidIcon);
  const TLogPalette palette = ReadDibPalette(stream, header, header.paletteEntries, kInvalidIcon);
  const TDibRowConverter converter(header, palette);
  const std::int64_t maskOffset = header.TableEnd() + header.Stride() * header.height;
  const std::int64_t maskStride = DibStride(header.width, 1);
  if (maskOffset + maskStride * header.height > stream.Size()) throw EInvalidGraphic(kInvalidIcon);

  TColorRows rows(stream, header, converter);
  const bool alpha = header.bitCount == 32 && converter.HasAlphaChannel() && AnyAlpha(rows, header);
  const TColor backColor = ColorFromRgb(background);  // background is 0x00RRGGBB
  const std::uint8_t back[3] = {BlueOf(backColor), GreenOf(backColor), RedOf(backColor)};
  image.NewImage(header.width, header.height, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride));
  for (int row = 0; row < header.height; ++row) {
    const std::uint8_t* bgra = rows.Row(row);
    ReadBytesAt(stream, maskOffset + row * maskStride, mask.data(), mask.size(), kInvalidIcon);
    std::uint8_t* out = image.GetScanLine(header.height - 1 - row);
    for (int x = 0; x < header.width; ++x, bgra += 4, out += 3) {
      const bool keepBackground = (mask[x >> 3] >> (7 - (x & 7))) & 1;
      for (int c = 0; c < 3; ++c) {
        out[c] = alpha ? BlendOver(bgra[c], bgra[3], back[c])
                       : static_cast<std::uint8_t>((keepBackground ? back[c] : 0) ^ bgra[c]);
      }
    }
  }
}

}  // namespace huemira
