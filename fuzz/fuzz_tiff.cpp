// libFuzzer harness: arbitrary bytes as a TIFF file: the page count, the
// first page, and the last page when there are several. A small page that
// loads is written back uncompressed and must read the same.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/libreaders/tiff_graphic.h"

namespace {

void RoundTrip(huemira::TTiffGraphic& tiff) {
  using namespace huemira;
  if (static_cast<std::int64_t>(tiff.Width()) * tiff.Height() > (1 << 16)) return;
  tiff.SetCompression(TTiffCompression::tcNone);
  TMemoryStream copy;
  tiff.SaveToStream(copy);
  copy.SetPosition(0);
  TTiffGraphic again;
  again.LoadFromStream(copy);
  for (int y = 0; y < tiff.Height(); ++y) {
    for (int x = 0; x < tiff.Width(); ++x) {
      if (again.GetRgbPixel(x, y) != tiff.GetRgbPixel(x, y)) __builtin_trap();
    }
  }
}

}  // namespace

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
      RoundTrip(tiff);
    } catch (const Exception&) {
    }
    if (pages == 1) break;
  }
  return 0;
}
