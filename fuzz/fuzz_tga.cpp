// libFuzzer harness: arbitrary bytes as a Targa file. A picture that loads is
// written back and read again, so the writer is exercised as well.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/dib/image_limits.h"
#include "imaging/pcx_tga/tga_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  // Large pictures that the size cap admits run the same code as small ones,
  // only slower; leaving them out keeps the fuzzer fast. Refused sizes stay in.
  if (size >= 16) {
    const std::int64_t width = data[12] | data[13] << 8;
    const std::int64_t height = data[14] | data[15] << 8;
    if (width * height > (1 << 20) && ImageSizeAllowed(width, height)) return 0;
  }
  TBorrowedMemoryStream stream(data, size);
  TTgaGraphic tga;
  tga.CanLoadStream(stream);
  try {
    tga.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  if (static_cast<std::int64_t>(tga.Width()) * tga.Height() > (1 << 16)) return 0;
  TMemoryStream copy;
  try {
    tga.SaveToStream(copy);
  } catch (const Exception&) {
    return 0;  // a picture the format's header fields cannot describe
  }
  copy.SetPosition(0);
  TTgaGraphic again;
  again.LoadFromStream(copy);
  for (int y = 0; y < tga.Height(); ++y) {
    for (int x = 0; x < tga.Width(); ++x) {
      if (again.GetRgbPixel(x, y) != tga.GetRgbPixel(x, y)) __builtin_trap();
    }
  }
  return 0;
}
