#include "imaging/register_formats.h"

// A reader module that is not part of the build (imaging/CMakeLists.txt adds
// only the module directories present) simply registers nothing.
#ifdef HUEMIRA_IMAGING_PCX_TGA
#include "imaging/pcx_tga/register.h"
#endif
#ifdef HUEMIRA_IMAGING_GIF
#include "imaging/gif/register.h"
#endif
#ifdef HUEMIRA_IMAGING_LIBREADERS
#include "imaging/libreaders/register.h"
#endif

namespace huemira {

void RegisterImagingFormats() {
#ifdef HUEMIRA_IMAGING_LIBREADERS
  RegisterTiffFormats();
#endif
#ifdef HUEMIRA_IMAGING_PCX_TGA
  RegisterTgaFormats();
  RegisterPcxFormats();
  RegisterDcxFormats();
#endif
#ifdef HUEMIRA_IMAGING_LIBREADERS
  RegisterPngFormats();
#endif
#ifdef HUEMIRA_IMAGING_GIF
  RegisterGifFormats();
#endif
#ifdef HUEMIRA_IMAGING_LIBREADERS
  RegisterJpegFormats();
#endif
}

}  // namespace huemira
