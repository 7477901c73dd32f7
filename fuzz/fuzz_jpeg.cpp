// libFuzzer harness: arbitrary bytes as a JPEG file; a small picture that
// loads is written back and read again.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/libreaders/jpeg_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  TBorrowedMemoryStream stream(data, size);
  TJpegGraphic jpeg;
  jpeg.CanLoadStream(stream);
  try {
    jpeg.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  if (static_cast<std::int64_t>(jpeg.Width()) * jpeg.Height() > (1 << 16)) return 0;
  TMemoryStream copy;
  jpeg.SaveToStream(copy);
  copy.SetPosition(0);
  TJpegGraphic again;
  again.LoadFromStream(copy);
  if (again.Width() != jpeg.Width() || again.Height() != jpeg.Height()) __builtin_trap();
  return 0;
}
