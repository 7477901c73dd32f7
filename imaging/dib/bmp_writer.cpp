#include "imaging/dib/bmp_writer.h"

#include "framework/exception.h"
#include "imaging/dib/dib_graphic.h"
#include "imaging/dib/image_limits.h"

namespace huemira {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put16(std::uint8_t*& out, std::uint16_t value) {
  *out++ = static_cast<std::uint8_t>(value);
  *out++ = static_cast<std::uint8_t>(value >> 8);
}
void Put32(std::uint8_t*& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) *out++ = static_cast<std::uint8_t>(value >> shift);
}

}  // namespace

void SaveToBmp(const TGraphic& graphic, TStream& stream) {
  const int width = graphic.Width(), height = graphic.Height();
  if (graphic.Empty() || width <= 0 || height <= 0) throw EInvalidGraphic("Cannot save an empty picture");
  // The file's size fields are 32 bits; the size cap keeps every picture we make far below that.
  const std::int64_t rowBytes = DibStride(width, 24);
  const std::int64_t imageBytes = rowBytes * height;
  if (!ImageSizeAllowed(width, height)) throw EInvalidGraphic("Picture too large for a bitmap file");

  std::int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
  if (const auto* dib = dynamic_cast<const TDibGraphic*>(&graphic)) {
    xPelsPerMeter = dib->BitmapInfo().header.xPelsPerMeter;
    yPelsPerMeter = dib->BitmapInfo().header.yPelsPerMeter;
  }

  std::uint8_t header[kFileHeaderSize + kInfoHeaderSize];
  std::uint8_t* out = header;
  *out++ = 'B';
  *out++ = 'M';
  Put32(out, static_cast<std::uint32_t>(sizeof header + imageBytes));
  Put32(out, 0);  // reserved
  Put32(out, sizeof header);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // uncompressed
  Put32(out, static_cast<std::uint32_t>(imageBytes));
  Put32(out, static_cast<std::uint32_t>(xPelsPerMeter));
  Put32(out, static_cast<std::uint32_t>(yPelsPerMeter));
  Put32(out, 0);
  Put32(out, 0);
  stream.WriteBuffer(header, sizeof header);

  const std::size_t pixelBytes = static_cast<std::size_t>(width) * 3;
  const std::uint8_t padding[3] = {0, 0, 0};
  const std::size_t paddingBytes = static_cast<std::size_t>(rowBytes) - pixelBytes;
  // Rows go out as they come: no copy, and the padding is written as zeros
  // rather than taken from the picture's own (uninitialised) row ends.
  graphic.ForEachRow24BottomUp([&](int, const std::uint8_t* bgr) {
    stream.WriteBuffer(bgr, pixelBytes);
    if (paddingBytes) stream.WriteBuffer(padding, paddingBytes);
  });
}

}  // namespace huemira
