// libFuzzer harness: arbitrary bytes as a display's colour profile. Whatever
// they hold, a transform is built or refused, and one that is built converts.
#include <cstddef>
#include <cstdint>

#include "color/display_to_srgb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const huemira::DisplayTransformBuild build = huemira::BuildDisplayToSrgb({data, size});
  if (build.transform) {
    for (huemira::TColor color : {0x000000u, 0xFFFFFFu, 0x5858FFu, 0x123456u}) build.transform->Convert(color);
  }
  return 0;
}
