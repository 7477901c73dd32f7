// libFuzzer harness: arbitrary bytes as a DCX file. The first byte picks the
// page to load, so pages beyond the first and broken tables are reached too.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/dib/image_limits.h"
#include "imaging/pcx_tga/dcx_graphic.h"

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// True when a page of the table is a large picture that the size cap admits:
// the PCX harness covers those, and here they only slow the fuzzer down.
bool HasLargePage(const std::uint8_t* file, std::size_t size) {
  for (std::size_t entry = 4; entry + 4 <= size; entry += 4) {
    const std::uint32_t page = Le32(file + entry);
    if (page == 0) return false;
    if (page > size || size - page < 12) continue;
    const std::uint8_t* h = file + page;
    const std::int64_t width = (h[8] | h[9] << 8) - (h[4] | h[5] << 8) + 1;
    const std::int64_t height = (h[10] | h[11] << 8) - (h[6] | h[7] << 8) + 1;
    if (width * height > (1 << 20) && huemira::ImageSizeAllowed(width, height)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  if (size == 0 || HasLargePage(data + 1, size - 1)) return 0;
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
