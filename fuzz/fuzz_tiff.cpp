// libFuzzer harness: arbitrary bytes as a TIFF file: the page count, the
// first page, and the last page when there are several.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/libreaders/tiff_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  TBorrowedMemoryStream stream(data, size);
  TTiffGraphic tiff;
  if (!tiff.CanLoadStream(stream)) return 0;
  int pages = 1;
  try {
    pages = tiff.GetImageCount(stream);
  } catch (const Exception&) {
  }
  for (int page : {1, pages}) {
    stream.SetPosition(0);
    tiff.LoadIndex = page;
    try {
      tiff.LoadFromStream(stream);
    } catch (const Exception&) {
    }
    if (pages == 1) break;
  }
  return 0;
}
