// libFuzzer harness: arbitrary bytes as a Targa file. A picture that loads is
// written back and read again, so the writer is exercised as well.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/pcx_tga/tga_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
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
  tga.SaveToStream(copy);
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
