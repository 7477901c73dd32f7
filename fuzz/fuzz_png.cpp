// libFuzzer harness: arbitrary bytes as a PNG file, read with the file's own
// background and again with ours (the two flattening routes of libpng).
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/libreaders/png_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  QuietPngWarnings = true;
  for (bool replaceBackground : {false, true}) {
    TBorrowedMemoryStream stream(data, size);
    TPngGraphic png;
    png.ReplaceFileBackground = replaceBackground;
    png.PngBackground = 0x00FF8040;
    png.CanLoadStream(stream);
    try {
      png.LoadFromStream(stream);
    } catch (const Exception&) {
      return 0;
    }
  }
  return 0;
}
