// libFuzzer harness for the GIF reader: parse, decode every frame, draw the
// shown one as the picture window would, and write the image back out.
#include <cstddef>
#include <cstdint>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/gif/gif_image.h"

namespace {

// Frames up to this size are decoded; the size cap itself is tested
// elsewhere, and huge frames only slow the search down.
constexpr long long kMaxFuzzPixels = 1 << 18;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  huemira::TGIFImage image;
  try {
    huemira::TBorrowedMemoryStream stream(data, size);
    image.LoadFromBytes(stream, static_cast<std::int64_t>(size), false);
  } catch (const huemira::Exception&) {
    return 0;
  }
  for (const auto& frame : image.Frames()) {
    if (static_cast<long long>(frame->Width()) * frame->Height() > kMaxFuzzPixels) return 0;
    try {
      frame->Bitmap();
    } catch (const huemira::Exception&) {
    }
  }
  try {
    huemira::TDibGraphic shown;
    image.AssignToBitmap24(shown);
    huemira::TMemoryStream out;
    image.SaveToStream(out);
    huemira::TGIFImage again;
    out.SetPosition(0);
    again.LoadFromStream(out);
  } catch (const huemira::Exception&) {
  }
  return 0;
}
