// libFuzzer harness: arbitrary bytes as a DCX file. The first byte picks the
// page to load, so pages beyond the first and broken tables are reached too.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/pcx_tga/dcx_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  if (size == 0) return 0;
  TBorrowedMemoryStream stream(data + 1, size - 1);
  TDcxGraphic dcx;
  dcx.CanLoadStream(stream);
  try {
    dcx.GetImageCount(stream);
  } catch (const Exception&) {
  }
  stream.SetPosition(0);
  dcx.LoadIndex = data[0] % 4 + 1;
  try {
    dcx.LoadFromStream(stream);
  } catch (const Exception&) {
  }
  return 0;
}
