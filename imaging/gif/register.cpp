#include "imaging/gif/register.h"

#include <memory>

#include "imaging/dib/picture_formats.h"
#include "imaging/gif/gif_image.h"

namespace huemira {

#ifdef _WIN32
void RegisterGifClipboardFormat();
#endif

void RegisterGifFormats() {
  RegisterDibFormat("gif", "CompuServe GIF Image", [] {
    auto gif = std::make_unique<TGIFImage>();
    gif->FirstFrameOnly = true;
    return std::unique_ptr<TGraphic>(std::move(gif));
  });
#ifdef _WIN32
  RegisterGifClipboardFormat();
#endif
}

}  // namespace huemira
