#include "app/picture_conversion.h"

#include <exception>

#include "app/conversion_progress.h"
#include "app/temporary_bitmap.h"
#include "imaging/dib/bmp_conversion.h"

namespace huemira {

std::unique_ptr<TDibGraphic> ConvertToTemporaryBitmap(const std::wstring& fileName) {
  ConversionProgress progress;
  try {
    std::unique_ptr<TGraphic> picture =
        ConvertToBmp(fileName, TemporaryBitmapPath(), [&progress](int percent) { progress.Report(percent); });
    // A 24-bit picture is the bitmap's rows as they are; any other is made
    // 24-bit the way the bitmap's rows were.
    if (auto* dib = dynamic_cast<TDibGraphic*>(picture.get()); dib && dib->DibFormat() == TDibFormat::ifColorRgb24) {
      picture.release();
      return std::unique_ptr<TDibGraphic>(dib);
    }
    auto bitmap = std::make_unique<TDibGraphic>();
    picture->AssignToBitmap24(*bitmap);
    return bitmap;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace huemira
