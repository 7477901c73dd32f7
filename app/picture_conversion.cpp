#include "app/picture_conversion.h"

#include <exception>

#include "app/conversion_progress.h"
#include "app/temporary_bitmap.h"
#include "imaging/dib/bmp_conversion.h"

namespace huemira {

bool ConvertToTemporaryBitmap(const std::wstring& fileName) {
  ConversionProgress progress;
  try {
    ConvertToBmp(fileName, TemporaryBitmapPath(), [&progress](int percent) { progress.Report(percent); });
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace huemira
