// libFuzzer harness: arbitrary bytes as a JPEG file.
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
  }
  return 0;
}
