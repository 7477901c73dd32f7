#include "imaging/gif/register.h"

#include "imaging/dib/picture_formats.h"
#include "imaging/gif/gif_image.h"

namespace huemira {

#ifdef _WIN32
void RegisterGifClipboardFormat();
#endif

void RegisterGifFormats() {
  RegisterDibFormat("gif", "CompuServe GIF Image", GraphicFactory<TGIFImage>());
#ifdef _WIN32
  RegisterGifClipboardFormat();
#endif
}

}  // namespace huemira
