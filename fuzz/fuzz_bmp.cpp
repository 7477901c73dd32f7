// libFuzzer harness: arbitrary bytes as a BMP file. A small picture that
// loads is written back (as 24 bits) and must read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/bitmap/bmp_graphic.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/little_endian.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  // Large pictures that the size cap admits (a run-length stream of a few
  // bytes can describe one) run the same code as small ones, only slower;
  // leaving them out keeps the fuzzer fast. Refused sizes stay in.
  if (size >= 26) {
    const bool core = GetLe32(data + 14) == 12;
    const std::int64_t width = core ? GetLe16(data + 18) : static_cast<std::int32_t>(GetLe32(data + 18));
    const std::int64_t height = core ? GetLe16(data + 20) : std::llabs(static_cast<std::int32_t>(GetLe32(data + 22)));
    if (width * height > (1 << 20) && ImageSizeAllowed(width, height)) return 0;
  }
  TBorrowedMemoryStream stream(data, size);
  TBmpGraphic bmp;
  bmp.CanLoadStream(stream);
  try {
    bmp.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  if (static_cast<std::int64_t>(bmp.Width()) * bmp.Height() > (1 << 16)) return 0;
  TMemoryStream copy;
  bmp.SaveToStream(copy);
  copy.SetPosition(0);
  TBmpGraphic again;
  again.LoadFromStream(copy);
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      if (again.GetRgbPixel(x, y) != bmp.GetRgbPixel(x, y)) __builtin_trap();
    }
  }
  return 0;
}
