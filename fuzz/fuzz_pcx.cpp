// libFuzzer harness: arbitrary bytes as a PCX file. A picture that loads is
// written back and read again, so the writer meets every layout too.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/dib/image_limits.h"
#include "imaging/pcx_tga/pcx_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  // Large pictures that the size cap admits run the same code as small ones,
  // only slower, and so do tall ones, which cost a call per plane and row
  // (a few thousand rows already reach every branch of the line decoder).
  // Leaving them out keeps the fuzzer fast; refused sizes stay in.
  if (size >= 12) {
    const std::int64_t width = (data[8] | data[9] << 8) - (data[4] | data[5] << 8) + 1;
    const std::int64_t height = (data[10] | data[11] << 8) - (data[6] | data[7] << 8) + 1;
    if ((width * height > (1 << 16) || height > (1 << 13)) && ImageSizeAllowed(width, height)) return 0;
  }
  TBorrowedMemoryStream stream(data, size);
  TPcxGraphic pcx;
  pcx.CanLoadStream(stream);
  try {
    pcx.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  // Small pictures only: the round trip is about layouts, not size. Single
  // rows go at any width, so that the writer meets the widths its header
  // cannot hold.
  if (static_cast<std::int64_t>(pcx.Width()) * pcx.Height() > (1 << 12) && pcx.Height() > 1) return 0;
  TMemoryStream copy;
  try {
    pcx.SaveToStream(copy);
  } catch (const Exception&) {
    return 0;  // a picture the format's header fields cannot describe
  }
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
