#include "imaging/dib/image_transform.h"

#include <cstring>
#include <vector>

#include "imaging/dib/text_format.h"

namespace huemira {

void TImageTransform::Apply(TDibGraphic& image) {
  TDibGraphic result;
  ApplyOnDest(image, result);
  image.Assign(&result);
}

void TImageTransform::ApplyOnDest(const TDibGraphic&, TDibGraphic&) {
  throw EImbravaError(FormatText("Method %s not implemented for %s class", "\"ApplyOnDest\"", ClassName()));
}

void TImageTransform::ReportPercent(TDibGraphic& sender, std::int64_t current, std::int64_t max) {
  lastPercent_ = PercentStep(sender, current, 0, lastPercent_, max, OnPercentDone);
}

void TNegativeTransform::ApplyOnDest(const TDibGraphic& source, TDibGraphic& dest) {
  dest.Assign(&source);
  Apply(dest);
}

void TNegativeTransform::Apply(TDibGraphic& image) {
  lastPercent_ = 255;
  ReportPercent(image, 0, 100);
  const int width = image.Width(), height = image.Height();
  switch (image.DibFormat()) {
    case TDibFormat::ifBlackAndWhite:
    case TDibFormat::ifGrayscale16:
    case TDibFormat::ifGrayscale256:
      for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.GetScanLine(y);
        for (int i = 0; i < image.Stride(); ++i) row[i] = static_cast<std::uint8_t>(~row[i]);
        ReportPercent(image, y + 1, height);
      }
      break;
    case TDibFormat::ifColorRgb24:
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.SetRgbPixel(x, y, ~image.GetRgbPixel(x, y) & 0x00FFFFFF);
        ReportPercent(image, y + 1, height);
      }
      break;
    case TDibFormat::ifColor16:
    case TDibFormat::ifColor256: {
      if (image.Empty()) break;
      const std::vector<std::uint8_t> bits(image.Bits(), image.Bits() + image.ImageSize());
      TLogPalette negative = image.Palette();
      for (int i = 0; i < negative.count; ++i) {
        TPaletteEntry& entry = negative.entries[i];
        entry = {static_cast<std::uint8_t>(~entry.red), static_cast<std::uint8_t>(~entry.green),
                 static_cast<std::uint8_t>(~entry.blue), entry.flags};
      }
      const std::uint16_t xdpi = image.XDpi(), ydpi = image.YDpi();
      image.NewImage(width, height, image.DibFormat(), &negative, xdpi, ydpi);
      std::memcpy(image.Bits(), bits.data(), bits.size());
      break;
    }
  }
  ReportPercent(image, 100, 100);
}

}  // namespace huemira
