// libFuzzer harness: arbitrary bytes as a PCX file. A picture that loads is
// written back and read again, so the writer meets every layout too.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/pcx_tga/pcx_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  TBorrowedMemoryStream stream(data, size);
  TPcxGraphic pcx;
  pcx.CanLoadStream(stream);
  try {
    pcx.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  // Small pictures only: the round trip is about layouts, not size.
  if (static_cast<std::int64_t>(pcx.Width()) * pcx.Height() > (1 << 16)) return 0;
  TMemoryStream copy;
  pcx.SaveToStream(copy);
  copy.SetPosition(0);
  TPcxGraphic again;
  again.LoadFromStream(copy);
  for (int y = 0; y < pcx.Height(); ++y) {
    for (int x = 0; x < pcx.Width(); ++x) {
      if (again.GetRgbPixel(x, y) != pcx.GetRgbPixel(x, y)) __builtin_trap();
    }
  }
  return 0;
}
