// libFuzzer harness: arbitrary bytes as a PNG file, read with the file's own
// background and again with ours (the two flattening routes of libpng). A
// small picture that loads is written back and must read the same.
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
    if (static_cast<std::int64_t>(png.Width()) * png.Height() > (1 << 16)) continue;
    png.FileGamma = 0.5;  // written as gAMA: no correction when read again
    TMemoryStream copy;
    png.SaveToStream(copy);
    copy.SetPosition(0);
    TPngGraphic again;
    again.LoadFromStream(copy);
    for (int y = 0; y < png.Height(); ++y) {
      for (int x = 0; x < png.Width(); ++x) {
        if (again.GetRgbPixel(x, y) != png.GetRgbPixel(x, y)) __builtin_trap();
      }
    }
  }
  return 0;
}
