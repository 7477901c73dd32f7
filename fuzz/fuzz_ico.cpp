// libFuzzer harness: arbitrary bytes as an icon file. A small icon that
// loads is written as a BMP and must read the same.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/bitmap/bmp_graphic.h"
#include "imaging/bitmap/ico_graphic.h"
#include "imaging/bitmap/icon_directory.h"
#include "imaging/dib/bmp_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  TBorrowedMemoryStream stream(data, size);
  // A PNG image of a few bytes may describe a large picture that the size
  // cap admits: the same code as a small one, only slower, so it is left out.
  try {
    const TIconEntry largest = LargestIconEntry(ReadIconDirectory(stream));
    if (static_cast<std::int64_t>(largest.width) * largest.height > (1 << 20)) return 0;
  } catch (const Exception&) {
    // The load below must fail the same way.
  }
  TIcon icon;
  stream.SetPosition(0);
  icon.CanLoadStream(stream);
  try {
    icon.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  if (static_cast<std::int64_t>(icon.Width()) * icon.Height() > (1 << 16)) return 0;
  TMemoryStream copy;
  SaveToBmp(icon, copy);
  copy.SetPosition(0);
  TBmpGraphic again;
  again.LoadFromStream(copy);
  for (int y = 0; y < icon.Height(); ++y) {
    for (int x = 0; x < icon.Width(); ++x) {
      if (again.GetRgbPixel(x, y) != icon.GetRgbPixel(x, y)) __builtin_trap();
    }
  }
  return 0;
}
